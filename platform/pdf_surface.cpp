#include "platform/pdf_surface.h"

#include <zlib.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace kavor {

namespace {

// Objects: 1 catalogue, 2 page tree, 3 page, 4 content stream, 5 its length.
constexpr int kCatalog = 1, kPages = 2, kPage = 3, kContent = 4, kLength = 5;
constexpr size_t kPiece = 64 * 1024;

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

PdfSurface::PdfSurface(std::ostream& out, int width, int height, double points_per_pixel)
    : VectorSurface(width, height),
      out_(out),
      deflater_(std::make_unique<Deflater>()),
      offsets_(kLength + 1),
      scale_(points_per_pixel) {
  put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  begin_object(kContent);
  put("<< /Length " + std::to_string(kLength) + " 0 R /Filter /FlateDecode >>\nstream\n");
  // White, then pixels from the top left, lines through their centres.
  content("1 g 0 0 ");
  number(width * scale_);
  pending_ += ' ';
  number(height * scale_);
  content(" re f\n");
  number(scale_);
  content(" 0 0 ");
  number(-scale_);
  pending_ += ' ';
  number(0.5 * scale_);
  pending_ += ' ';
  number((height - 0.5) * scale_);
  content(" cm\n");
}

PdfSurface::~PdfSurface() = default;

void PdfSurface::put(const std::string& bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  written_ += bytes.size();
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

bool PdfSurface::finish() {
  close_path();
  compress(true);
  put("\nendstream\nendobj\n");
  begin_object(kLength);
  put(std::to_string(stream_bytes_) + "\nendobj\n");
  begin_object(kCatalog);
  put("<< /Type /Catalog /Pages " + std::to_string(kPages) + " 0 R >>\nendobj\n");
  begin_object(kPages);
  put("<< /Type /Pages /Kids [" + std::to_string(kPage) + " 0 R] /Count 1 >>\nendobj\n");
  begin_object(kPage);
  pending_.clear();
  number(width_ * scale_);
  pending_ += ' ';
  number(height_ * scale_);
  put("<< /Type /Page /Parent " + std::to_string(kPages) + " 0 R /MediaBox [0 0 " + pending_ + "] /Contents " +
      std::to_string(kContent) + " 0 R /Resources << >> >>\nendobj\n");
  pending_.clear();
  const uint64_t xref = written_;
  put("xref\n0 " + std::to_string(kLength + 1) + "\n0000000000 65535 f \n");
  for (int i = 1; i <= kLength; ++i) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[static_cast<size_t>(i)]));
    put(entry);
  }
  put("trailer\n<< /Size " + std::to_string(kLength + 1) + " /Root " + std::to_string(kCatalog) +
      " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  out_.flush();
  return ok_ && static_cast<bool>(out_);
}

}  // namespace kavor
