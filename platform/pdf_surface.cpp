#include "platform/pdf_surface.h"

#include <zlib.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace kavor {

namespace {

// Objects 1 and 2 are the catalogue and the page tree; each page then has
// three: the page, its content stream and the stream's length.
constexpr int kCatalog = 1, kPages = 2;
constexpr size_t kPiece = 64 * 1024;

// A PDF text string: UTF-16 with its byte-order mark, in hexadecimal.
std::string text_string(const std::u16string& text) {
  std::string hex = "<FEFF";
  char digits[8];
  for (char16_t c : text) {
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(c));
    hex += digits;
  }
  return hex + ">";
}

}  // namespace

// zlib's deflate over the content stream, one piece at a time.
class PdfSurface::Deflater {
 public:
  Deflater() { ok_ = deflateInit(&z_, Z_BEST_SPEED) == Z_OK; }
  ~Deflater() { deflateEnd(&z_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Compresses the bytes and hands each filled output piece to emit.
  template <class Emit>
  bool compress(const std::string& bytes, bool last, Emit emit) {
    if (!ok_) return false;
    z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z_.avail_in = static_cast<uInt>(bytes.size());
    int result = Z_OK;
    do {
      z_.next_out = out_.data();
      z_.avail_out = static_cast<uInt>(out_.size());
      result = deflate(&z_, last ? Z_FINISH : Z_NO_FLUSH);
      if (result == Z_STREAM_ERROR) return ok_ = false;
      emit(reinterpret_cast<const char*>(out_.data()), out_.size() - z_.avail_out);
    } while (z_.avail_out == 0 || (last && result != Z_STREAM_END));
    return true;
  }

 private:
  z_stream z_{};
  std::array<Bytef, kPiece> out_{};
  bool ok_ = false;
};

PdfSurface::PdfSurface(std::ostream& out, int width, int height, double points_per_pixel, PdfSheet sheet,
                       int page_extent_x)
    : VectorSurface(width, height),
      out_(out),
      offsets_(kPages + 1),
      scale_(points_per_pixel),
      sheet_(sheet),
      page_extent_x_(page_extent_x) {
  if (sheet_.width <= 0 || sheet_.height <= 0) sheet_ = PdfSheet{width * scale_, height * scale_, 0, 0};
  put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  begin_page();
}

void PdfSurface::begin_page() {
  pages_.push_back(new_object());
  content_ = new_object();
  length_ = new_object();
  deflater_ = std::make_unique<Deflater>();
  stream_bytes_ = 0;
  begin_object(content_);
  put("<< /Length " + std::to_string(length_) + " 0 R /Filter /FlateDecode >>\nstream\n");
  // The drawn area's place on the sheet, unless it is the sheet.
  if (sheet_.left != 0 || sheet_.top != 0 || sheet_.height != height_ * scale_) {
    content("1 0 0 1 ");
    number(sheet_.left);
    pending_ += ' ';
    number(sheet_.height - sheet_.top - height_ * scale_);
    content(" cm\n");
  }
  // White, then pixels from the top left, lines through their centres.
  content("1 g 0 0 ");
  number(width_ * scale_);
  pending_ += ' ';
  number(height_ * scale_);
  content(" re f\n");
  number(scale_);
  content(" 0 0 ");
  number(-scale_);
  pending_ += ' ';
  number(0.5 * scale_);
  pending_ += ' ';
  number((height_ - 0.5) * scale_);
  content(" cm\n");
}

void PdfSurface::end_page() {
  close_path();
  compress(true);
  put("\nendstream\nendobj\n");
  begin_object(length_);
  put(std::to_string(stream_bytes_) + "\nendobj\n");
}

void PdfSurface::new_page() {
  end_page();
  begin_page();
}

PdfSurface::~PdfSurface() = default;

void PdfSurface::put(const std::string& bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  written_ += bytes.size();
}

int PdfSurface::new_object() {
  offsets_.push_back(0);
  return static_cast<int>(offsets_.size() - 1);
}

void PdfSurface::begin_object(int number) {
  offsets_[static_cast<size_t>(number)] = written_;
  put(std::to_string(number) + " 0 obj\n");
}

void PdfSurface::compress(bool last) {
  ok_ = deflater_->compress(pending_, last, [&](const char* data, size_t n) {
          out_.write(data, static_cast<std::streamsize>(n));
          written_ += n;
          stream_bytes_ += n;
        }) &&
        ok_;
  pending_.clear();
}

void PdfSurface::content(const char* text) {
  pending_ += text;
  if (pending_.size() >= kPiece) compress(false);
}

// PDF numbers have no exponent: the shortest plain decimal that reads back
// as the value ("100000", never "1e+05").
void PdfSurface::number(double v) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
  if (r.ec == std::errc())
    pending_.append(text, r.ptr);
  else
    pending_ += '0';
}

void PdfSurface::point(DevicePoint p, const char* op) {
  number(p.x);
  pending_ += ' ';
  number(p.y);
  content(op);
}

void PdfSurface::colour(Rgb c, const char* op) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4g %.4g %.4g %s\n", c.r / 255.0, c.g / 255.0, c.b / 255.0, op);
  content(text);
}

void PdfSurface::begin_strokes(int width, Rgb c) {
  colour(c, "RG");
  number(width);
  // Wide pens end and join round; one-pixel lines end flat.
  content(width > 1 ? " w 1 J 1 j\n" : " w 0 J 0 j\n");
}

void PdfSurface::move_to(DevicePoint p) { point(p, " m\n"); }

void PdfSurface::line_to(DevicePoint, DevicePoint to) { point(to, " l\n"); }

void PdfSurface::pixel_square(DevicePoint p) {
  number(p.x - 0.5);
  pending_ += ' ';
  number(p.y);
  content(" m\n");
  number(p.x + 0.5);
  pending_ += ' ';
  number(p.y);
  content(" l\n");
}

void PdfSurface::end_strokes() { content("S\n"); }

void PdfSurface::write_polygon(const DeviceRings& rings, Rgb c) {
  colour(c, "rg");
  for (const std::vector<DevicePoint>& ring : rings) {
    for (size_t i = 0; i < ring.size(); ++i) point(ring[i], i ? " l\n" : " m\n");
    content("h\n");
  }
  content("f*\n");
}

// The page's content stream is the object after it.
void PdfSurface::write_page(int page) {
  begin_object(page);
  pending_.clear();
  number(sheet_.width);
  pending_ += ' ';
  number(sheet_.height);
  put("<< /Type /Page /Parent " + std::to_string(kPages) + " 0 R /MediaBox [0 0 " + pending_ + "] /Contents " +
      std::to_string(page + 1) + " 0 R /Resources << >> >>\nendobj\n");
  pending_.clear();
}

int PdfSurface::write_info() {
  if (title_.empty()) return 0;
  const int info = new_object();
  begin_object(info);
  put("<< /Title " + text_string(title_) + " >>\nendobj\n");
  return info;
}

bool PdfSurface::finish() {
  end_page();
  begin_object(kCatalog);
  put("<< /Type /Catalog /Pages " + std::to_string(kPages) + " 0 R >>\nendobj\n");
  begin_object(kPages);
  std::string kids;
  for (int page : pages_) kids += (kids.empty() ? "" : " ") + std::to_string(page) + " 0 R";
  put("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) + " >>\nendobj\n");
  for (int page : pages_) write_page(page);
  const int info = write_info();
  const uint64_t xref = written_;
  const std::string size = std::to_string(offsets_.size());
  put("xref\n0 " + size + "\n0000000000 65535 f \n");
  for (size_t i = 1; i < offsets_.size(); ++i) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[i]));
    put(entry);
  }
  put("trailer\n<< /Size " + size + " /Root " + std::to_string(kCatalog) + " 0 R" +
      (info ? " /Info " + std::to_string(info) + " 0 R" : std::string()) + " >>\nstartxref\n" +
      std::to_string(xref) + "\n%%EOF\n");
  out_.flush();
  return ok_ && static_cast<bool>(out_);
}

}  // namespace kavor
