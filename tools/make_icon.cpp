// Build-time tool: draws the program's application icon (a sheet of paper
// with a renaming arrow) at 16, 32 and 48 pixels and writes it as an .ico.
//
//   make_icon OUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

struct Rgba {
  double r, g, b, a;
};

Rgba Over(Rgba top, Rgba under) {
  const double a = top.a + under.a * (1 - top.a);
  if (a <= 0) return {0, 0, 0, 0};
  auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
  return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

// Coverage of a rounded rectangle in unit coordinates, softened over one pixel.
double RoundedBox(double x, double y, double x0, double y0, double x1, double y1, double radius,
                  double pixel) {
  const double cx = std::fmax(std::fmax(x0 + radius - x, x - (x1 - radius)), 0.0);
  const double cy = std::fmax(std::fmax(y0 + radius - y, y - (y1 - radius)), 0.0);
  const double outside = std::sqrt(cx * cx + cy * cy) - radius;
  const double inside = std::fmax(std::fmax(x0 - x, x - x1), std::fmax(y0 - y, y - y1));
  const double distance = (cx > 0 || cy > 0) ? outside : inside;
  return std::fmin(std::fmax(0.5 - distance / pixel, 0.0), 1.0);
}

Rgba Pixel(double x, double y, double pixel) {
  Rgba colour{0, 0, 0, 0};
  // Blue tile.
  const double tile = RoundedBox(x, y, 0.03, 0.03, 0.97, 0.97, 0.18, pixel);
  colour = Over({0.13, 0.40, 0.78, tile}, colour);
  // Sheet of paper.
  const double sheet = RoundedBox(x, y, 0.22, 0.14, 0.66, 0.86, 0.04, pixel);
  colour = Over({0.98, 0.98, 0.96, sheet}, colour);
  // Lines of text on the sheet.
  for (double line = 0.30; line < 0.75; line += 0.14) {
    const double text = RoundedBox(x, y, 0.30, line, 0.58, line + 0.05, 0.02, pixel);
    colour = Over({0.55, 0.62, 0.72, text}, colour);
  }
  // Orange arrow pointing right, across the sheet's edge.
  const double shaft = RoundedBox(x, y, 0.44, 0.56, 0.74, 0.68, 0.02, pixel);
  const double tipX = x - 0.70;
  const double tipHalf = 0.17 - tipX * 0.75;
  const double head =
      (tipX >= 0 && std::fabs(y - 0.62) <= tipHalf) ? std::fmin(1.0, (tipHalf - std::fabs(y - 0.62)) / pixel + 0.5) : 0.0;
  colour = Over({0.98, 0.55, 0.10, std::fmax(shaft, std::fmin(head, 1.0))}, colour);
  return colour;
}

void Put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One image as an icon resource: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask.
std::vector<unsigned char> Image(int size) {
  std::vector<unsigned char> out;
  Put32(out, 40);
  Put32(out, size);
  Put32(out, size * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  const int maskRow = ((size + 31) / 32) * 4;
  Put32(out, size * size * 4 + maskRow * size);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  const double pixel = 1.0 / size;
  for (int row = size - 1; row >= 0; --row) {
    for (int column = 0; column < size; ++column) {
      // Four samples per pixel smooth the edges at small sizes.
      Rgba sum{0, 0, 0, 0};
      for (int s = 0; s < 4; ++s) {
        const double x = (column + 0.25 + 0.5 * (s % 2)) * pixel;
        const double y = (row + 0.25 + 0.5 * (s / 2)) * pixel;
        const Rgba p = Pixel(x, y, pixel);
        sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
      }
      const double a = sum.a / 4;
      auto channel = [&](double premultiplied) {
        return static_cast<unsigned char>(a > 0 ? std::lround(premultiplied / sum.a * 255) : 0);
      };
      out.push_back(channel(sum.b));
      out.push_back(channel(sum.g));
      out.push_back(channel(sum.r));
      out.push_back(static_cast<unsigned char>(std::lround(a * 255)));
    }
  }
  out.insert(out.end(), static_cast<size_t>(maskRow) * size, 0);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.ico\n", argv[0]);
    return 2;
  }
  const int sizes[] = {16, 32, 48};
  std::vector<std::vector<unsigned char>> images;
  for (int size : sizes) images.push_back(Image(size));
  std::vector<unsigned char> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 3);
  std::uint32_t offset = 6 + 16 * 3;
  for (size_t i = 0; i < images.size(); ++i) {
    file.push_back(static_cast<unsigned char>(sizes[i]));
    file.push_back(static_cast<unsigned char>(sizes[i]));
    file.push_back(0);
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<std::uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out ? 0 : 1;
}
