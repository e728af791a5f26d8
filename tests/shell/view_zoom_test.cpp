// The view's zoom arithmetic on its own: drags, the keep-aspect cut, nested
// zooms and size changes.

#include <QTest>

#include "shell/view_zoom.h"

using kavor::ViewPoint;
using kavor::ViewZoom;
using kavor::ZoomView;

Q_DECLARE_METATYPE(ViewPoint)

namespace {

// A client area of 640 by 420 whose view is 640 by 400 (a status bar of 20).
constexpr int kWidth = 640, kHeight = 420, kViewHeight = 400;

ViewZoom whole_view() {
  ViewZoom zoom;
  zoom.resize(kWidth, kHeight, true);
  return zoom;
}

QList<int> rect_of(const ZoomView& z) { return {z.x0, z.y0, z.x1, z.y1}; }

bool drag(ViewZoom& zoom, ViewPoint from, ViewPoint to, bool keep_aspect) {
  zoom.press(from, kViewHeight, keep_aspect);
  zoom.move({(from.x + to.x) / 2, (from.y + to.y) / 2});
  zoom.move(to);
  return zoom.release(to);
}

}  // namespace

class ViewZoomTest : public QObject {
  Q_OBJECT
 private slots:
  void drags_data();
  void drags();
  void twice_into_the_left_half();
  void a_tiny_rectangle_keeps_its_height();
  void right_button_abandons_the_drag();
  void size_changes_data();
  void size_changes();
};

void ViewZoomTest::drags_data() {
  QTest::addColumn<bool>("keep_aspect");
  QTest::addColumn<ViewPoint>("from");
  QTest::addColumn<ViewPoint>("to");
  QTest::addColumn<bool>("zoomed");
  QTest::addColumn<QList<int>>("rect");  // x0, y0, x1, y1 afterwards
  const QList<int> whole{0, 0, kWidth - 1, kHeight - 1};
  QTest::newRow("5 pixels wide: no zoom, whatever the height") << false << ViewPoint{100, 10} << ViewPoint{105, 390}
                                                                << false << whole;
  QTest::newRow("5 pixels wide leftwards") << false << ViewPoint{105, 10} << ViewPoint{100, 390} << false << whole;
  // Left 100, right 106; the view's rows 10..390 are 10..390 from the
  // bottom, of a frame 420 high seen through 400 rows.
  QTest::newRow("6 pixels wide zooms") << false << ViewPoint{100, 10} << ViewPoint{106, 390} << true
                                       << QList<int>{100, 10, 106, 409};
  // Ratio 640/400 = 1.6: 400 by 100 is cut to 160 by 100.
  QTest::newRow("keep aspect cuts a wide drag in x") << true << ViewPoint{0, 0} << ViewPoint{400, 100} << true
                                                     << QList<int>{0, 315, 160, 420};
  // 100 by 300 is cut to 100 by 62 (62.5 truncated).
  QTest::newRow("keep aspect cuts a tall drag in y") << true << ViewPoint{0, 0} << ViewPoint{100, 300} << true
                                                     << QList<int>{0, 354, 100, 420};
  QTest::newRow("cut upwards and leftwards keeps the signs") << true << ViewPoint{500, 300} << ViewPoint{100, 200}
                                                             << true << QList<int>{340, 105, 500, 210};
  QTest::newRow("without keep aspect the drag stays") << false << ViewPoint{0, 0} << ViewPoint{400, 100} << true
                                                      << QList<int>{0, 315, 400, 420};
  QTest::newRow("outside the view is clamped to it") << false << ViewPoint{-50, -20} << ViewPoint{9000, 9000} << true
                                                     << QList<int>{0, 1, 639, 420};
}

void ViewZoomTest::drags() {
  QFETCH(bool, keep_aspect);
  QFETCH(ViewPoint, from);
  QFETCH(ViewPoint, to);
  QFETCH(bool, zoomed);
  QFETCH(QList<int>, rect);
  ViewZoom zoom = whole_view();
  QCOMPARE(drag(zoom, from, to, keep_aspect), zoomed);
  QCOMPARE(rect_of(zoom.frame()), rect);
  QVERIFY(!zoom.dragging());
  QCOMPARE(zoom.is_zoomed(), zoomed);
}

void ViewZoomTest::twice_into_the_left_half() {
  ViewZoom zoom = whole_view();
  QVERIFY(drag(zoom, {0, 0}, {320, kViewHeight - 1}, false));
  QCOMPARE(zoom.frame().x1, 320);
  QVERIFY(drag(zoom, {0, 0}, {320, kViewHeight - 1}, false));
  QCOMPARE(zoom.frame().x0, 0);
  QCOMPARE(zoom.frame().x1, kWidth / 4);
  zoom.zoom_whole();
  QVERIFY(!zoom.is_zoomed());
}

void ViewZoomTest::a_tiny_rectangle_keeps_its_height() {
  ViewZoom zoom = whole_view();
  zoom.frame().x0 = 10, zoom.frame().x1 = 11, zoom.frame().y0 = zoom.frame().y1 = 5;
  QVERIFY(drag(zoom, {0, 100}, {320, 200}, false));
  QCOMPARE(rect_of(zoom.frame()), (QList<int>{10, 6, 11, 5}));
}

void ViewZoomTest::right_button_abandons_the_drag() {
  ViewZoom zoom = whole_view();
  zoom.press({10, 10}, kViewHeight, false);
  QVERIFY(zoom.move({300, 300}));
  QCOMPARE(zoom.current(), (ViewPoint{300, 300}));
  zoom.abandon();
  QVERIFY(!zoom.move({310, 310}));
  QVERIFY(!zoom.release({310, 310}));
  QVERIFY(!zoom.is_zoomed());
}

void ViewZoomTest::size_changes_data() {
  QTest::addColumn<QList<int>>("before");  // the rectangle in a 640 by 420 frame
  QTest::addColumn<QSize>("size");
  QTest::addColumn<bool>("auto_size");
  QTest::addColumn<bool>("discard");
  QTest::addColumn<QList<int>>("after");
  const QList<int> zoomed{100, 50, 300, 200};
  QTest::newRow("zoomed, wider: x scales") << zoomed << QSize(1280, 420) << true << true << QList<int>{200, 50, 600, 200};
  QTest::newRow("zoomed, taller: y scales") << zoomed << QSize(640, 840) << true << true << QList<int>{100, 100, 300, 400};
  QTest::newRow("zoomed, narrower, truncated") << zoomed << QSize(333, 420) << true << true
                                               << QList<int>{52, 50, 156, 200};
  QTest::newRow("not zoomed: still the whole") << QList<int>{0, 0, 639, 419} << QSize(800, 500) << true << true
                                               << QList<int>{0, 0, 799, 499};
  QTest::newRow("auto size off keeps the picture") << zoomed << QSize(1280, 420) << false << false
                                                   << QList<int>{200, 50, 600, 200};
  QTest::newRow("the same size changes nothing") << zoomed << QSize(640, 420) << true << false << zoomed;
  QTest::newRow("minimised changes nothing") << zoomed << QSize(0, 0) << true << false << zoomed;
}

void ViewZoomTest::size_changes() {
  QFETCH(QList<int>, before);
  QFETCH(QSize, size);
  QFETCH(bool, auto_size);
  QFETCH(bool, discard);
  QFETCH(QList<int>, after);
  ViewZoom zoom = whole_view();
  ZoomView& f = zoom.frame();
  f.x0 = before[0], f.y0 = before[1], f.x1 = before[2], f.y1 = before[3];
  QCOMPARE(zoom.resize(size.width(), size.height(), auto_size), discard);
  QCOMPARE(rect_of(zoom.frame()), after);
}

QTEST_APPLESS_MAIN(ViewZoomTest)
#include "view_zoom_test.moc"
