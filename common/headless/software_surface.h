// A picture box drawing kept in memory, rasterised in software.
#pragma once

#include <string>
#include <vector>

#include "forms/host.h"

namespace headless {

struct DrawnText {
    int x = 0;
    int y = 0;
    std::wstring text;
    forms::Color color = 0;
};

class SoftwareSurface : public forms::Surface {
  public:
    // pixelsPerPoint converts font sizes for text measuring; texts drawn are logged (their
    // glyphs are not rasterised).
    SoftwareSurface(double pixelsPerPoint, std::vector<DrawnText>* textLog);

    int Width() const override { return image_.width; }
    int Height() const override { return image_.height; }
    void Resize(int width, int height, forms::Color background) override;
    void Clear(forms::Color background) override;
    void Line(int x1, int y1, int x2, int y2, forms::Color color, int width) override;
    void FillBox(int x1, int y1, int x2, int y2, forms::Color color) override;
    void Circle(int cx, int cy, int r, forms::Color color, int width,
                std::optional<forms::Color> fill) override;
    void Polygon(const std::vector<forms::Point>& points, forms::Color fill) override;
    void Text(int x, int y, std::wstring_view text, const forms::Font& font,
              forms::Color color) override;
    forms::TextExtent MeasureText(std::wstring_view text, const forms::Font& font) const override;
    void Draw(const forms::Image& image, int x, int y) override;
    forms::Image Read() const override { return image_; }

  private:
    void Plot(int x, int y, forms::Color color);
    void Stamp(int x, int y, forms::Color color, int width);
    forms::Image image_;
    double pixelsPerPoint_;
    std::vector<DrawnText>* textLog_;
};

// A BMP file's pixels (1, 4, 8, 24 or 32 bits, uncompressed); nullopt when the bytes are
// not such a file.
std::optional<forms::Image> DecodeBmp(std::string_view bytes);

}  // namespace headless
