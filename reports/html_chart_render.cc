#include "reports/html_chart_render.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "driver/log.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/text.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMargin = 6;
constexpr double kTitleSize = 11.5;
constexpr double kLabelSize = 10;
constexpr double kTickSize = 9;
constexpr uint32_t kTextColour = 0x303030;
constexpr uint32_t kAxisColour = 0x707070;
constexpr uint32_t kGridColour = 0xE2E2E2;
const char kFont[] = "DejaVu Sans";

struct CairoDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

void SetRgb(cairo_t* cr, uint32_t rgb, double alpha = 1.0) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                        (rgb & 0xFF) / 255.0, alpha);
}

void AddColourStop(cairo_pattern_t* pattern, double offset, uint32_t rgb) {
  cairo_pattern_add_color_stop_rgb(pattern, offset, ((rgb >> 16) & 0xFF) / 255.0,
                                   ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

// A colour moved towards white (amount > 0) or black (amount < 0).
uint32_t Shade(uint32_t rgb, double amount) {
  auto part = [&](int shift) {
    double c = (rgb >> shift) & 0xFF;
    c = amount >= 0 ? c + (255 - c) * amount : c * (1 + amount);
    return static_cast<uint32_t>(std::lround(std::clamp(c, 0.0, 255.0))) << shift;
  };
  return part(16) | part(8) | part(0);
}

void SetFont(cairo_t* cr, double size, bool bold = false) {
  cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

// Cuts the text at a character boundary and appends an ellipsis until it fits.
std::string FitText(cairo_t* cr, const std::string& text, double width) {
  // Measured advances can differ in the last bits between calls; half a
  // pixel of slack keeps a text that was measured to fit from being cut.
  width += 0.5;
  if (TextWidth(cr, text) <= width) return text;
  const std::string ellipsis = "\xE2\x80\xA6";
  std::string cut = text;
  while (!cut.empty()) {
    size_t end = cut.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80) --end;
    cut.erase(end);
    if (TextWidth(cr, cut + ellipsis) <= width) return cut + ellipsis;
  }
  return TextWidth(cr, ellipsis) <= width ? ellipsis : "";
}

// Text drawn with its baseline placed so that the text is vertically centred
// on `cy`; `align` 0 left, 0.5 centre, 1 right of `x`.
void DrawText(cairo_t* cr, const std::string& text, double x, double cy, double align) {
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  double w = TextWidth(cr, text);
  cairo_move_to(cr, x - w * align, cy + (fe.ascent - fe.descent) / 2);
  cairo_show_text(cr, text.c_str());
}

struct Box {
  double x, y, w, h;
};

// Draws the title centred at the top; returns the height it takes.
double DrawTitle(cairo_t* cr, const TChart& chart) {
  const double band = kTitleSize + 10;
  std::string title = PrintableText(chart.Title);
  if (title.empty()) return kMargin;
  SetFont(cr, kTitleSize, true);
  SetRgb(cr, kTextColour);
  title = FitText(cr, title, chart.Width - 2 * kMargin);
  DrawText(cr, title, chart.Width / 2.0, kMargin + kTitleSize / 2 + 1, 0.5);
  return kMargin + band;
}

// The legend: a framed column of colour swatches and labels at the right of
// `area`. Returns the width it takes (0 when nothing is shown); the drawing
// keeps clear of it.
double DrawLegend(cairo_t* cr, const TChart& chart, const Box& area, double max_fraction) {
  const size_t n = chart.Points.size();
  if (!chart.LegendVisible || n == 0) return 0;
  const double pad = 5, swatch = 9, gap = 5, col_gap = 8;
  const double max_w = area.w * max_fraction;
  double font = kLabelSize, line = 14;
  const double avail = area.h - 2 * pad;
  if (n * line > avail) {
    line = std::max(11.0, avail / n);
    font = std::min(kLabelSize, line - 2);
  }
  size_t fit = static_cast<size_t>(std::max(1.0, std::floor(avail / line)));
  SetFont(cr, font);
  double widest = 0;
  for (const auto& p : chart.Points) widest = std::max(widest, TextWidth(cr, PrintableText(p.Label)));
  // Too many entries for one column: a second column when the labels fit in
  // it, else a tighter single column; what is still left over is counted.
  const double two_col_w = (max_w - 2 * pad - col_gap) / 2;
  size_t cols = 1;
  if (n > fit && n <= 2 * fit && std::ceil(widest) + swatch + gap <= two_col_w) {
    cols = 2;
  } else if (n > fit) {
    line = std::max(10.0, avail / n);
    font = std::min(font, line - 1.5);
    fit = static_cast<size_t>(std::max(1.0, std::floor(avail / line)));
    SetFont(cr, font);
  }
  const size_t capacity = fit * cols;
  const bool more = n > capacity;
  const size_t shown = more ? capacity - 1 : n;
  const size_t entries = shown + (more ? 1 : 0);
  const size_t rows = (entries + cols - 1) / cols;

  std::vector<std::string> labels;
  for (size_t i = 0; i < shown; ++i) labels.push_back(PrintableText(chart.Points[i].Label));
  if (more) labels.push_back("+" + std::to_string(n - shown) + " \xE2\x80\xA6");
  widest = 0;
  for (const auto& l : labels) widest = std::max(widest, TextWidth(cr, l));
  const double col_w_max = (max_w - 2 * pad - (cols - 1) * col_gap) / cols;
  const double col_w = std::min(col_w_max, std::ceil(widest) + swatch + gap);
  const double w = col_w * cols + (cols - 1) * col_gap + 2 * pad;
  const double h = rows * line + 2 * pad;
  const double x = area.x + area.w - w;
  const double y = area.y + std::max(0.0, (area.h - h) / 2);

  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  SetRgb(cr, 0xFFFFFF, 0.85);
  cairo_fill_preserve(cr);
  SetRgb(cr, 0xC8C8C8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  const double text_w = col_w - swatch - gap;
  for (size_t i = 0; i < entries; ++i) {
    const double cx = x + pad + (i / rows) * (col_w + col_gap);
    const double cy = y + pad + line * (i % rows) + line / 2;
    if (i < shown) {
      cairo_rectangle(cr, cx + 0.5, std::round(cy - swatch / 2) + 0.5, swatch - 1, swatch - 1);
      SetRgb(cr, chart.Points[i].Rgb);
      cairo_fill_preserve(cr);
      SetRgb(cr, Shade(chart.Points[i].Rgb, -0.35));
      cairo_stroke(cr);
      SetRgb(cr, kTextColour);
    } else {
      SetRgb(cr, kAxisColour);
    }
    DrawText(cr, FitText(cr, labels[i], text_w), cx + swatch + gap, cy, 0);
  }
  return w + kMargin;
}

void DrawPie(cairo_t* cr, const TChart& chart, double top) {
  Box area{kMargin, top, chart.Width - 2 * kMargin, chart.Height - top - kMargin};
  double legend = DrawLegend(cr, chart, area, 0.5);
  area.w -= legend;
  double radius = std::max(1.0, std::min(area.w, area.h) / 2 - 2);
  double cx = area.x + area.w / 2, cy = area.y + area.h / 2;

  double total = 0;
  for (const auto& p : chart.Points)
    if (p.Value > 0) total += p.Value;
  if (total <= 0) {
    // No slices: a faint outline shows where the pie would be.
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    SetRgb(cr, 0xD0D0D0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return;
  }
  double angle = -kPi / 2;
  for (const auto& p : chart.Points) {
    if (p.Value <= 0) continue;
    double sweep = p.Value / total * 2 * kPi;
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, radius, angle, angle + sweep);
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_radial(cx - radius / 3, cy - radius / 3, 0, cx,
                                                         cy, radius * 1.1);
    uint32_t light = Shade(p.Rgb, 0.18);
    AddColourStop(shade, 0, light);
    AddColourStop(shade, 1, p.Rgb);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetRgb(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    angle += sweep;
  }
  cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
  SetRgb(cr, 0x000000, 0.25);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// A round step of the value axis giving about `ticks` intervals up to `max`.
// Whole steps (counts) never take the 2.5 of a decade.
double NiceStep(double max, int ticks, bool whole) {
  double raw = max / std::max(1, ticks);
  double mag = std::pow(10.0, std::floor(std::log10(raw)));
  double f = raw / mag;
  double nice = f <= 1 ? 1 : f <= 2 ? 2 : (f <= 2.5 && !(whole && mag < 10)) ? 2.5 : f <= 5 ? 5 : 10;
  return nice * mag;
}

std::string FixedText(double value, int decimals, char separator) {
  std::string digits = std::to_string(std::llround(value * std::pow(10.0, decimals)));
  if (decimals == 0) return digits;
  bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  while (digits.size() <= static_cast<size_t>(decimals)) digits.insert(0, "0");
  digits.insert(digits.size() - decimals, 1, separator);
  return negative ? "-" + digits : digits;
}

int DecimalsFor(double step) {
  for (int d = 0; d < 3; ++d) {
    double scaled = step * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6) return d;
  }
  return 2;
}

struct Axis {
  double max = 1;
  double step = 1;
  double scale = 1;  // bytes per axis unit
  std::string unit;
  int decimals = 0;
};

Axis MakeAxis(const TChart& chart, double max_value, double plot_h) {
  Axis a;
  int ticks = std::clamp(static_cast<int>(plot_h / 38), 2, 8);
  if (chart.AxisFormat == TAxisFormat::Bytes) {
    for (int k = 4; k >= 1; --k) {
      double s = std::pow(1024.0, k);
      if (max_value >= s) {
        a.scale = s;
        a.unit = chart.UnitSymbols[k];
        break;
      }
    }
  }
  double scaled = max_value / a.scale;
  if (scaled <= 0) scaled = 1;
  const bool whole = chart.AxisFormat == TAxisFormat::Count || a.scale == 1;
  a.step = NiceStep(scaled, ticks, whole);
  if (whole) a.step = std::max(1.0, a.step);
  a.max = std::ceil(scaled / a.step - 1e-9) * a.step;
  a.decimals = DecimalsFor(a.step);
  return a;
}

std::string TickText(const Axis& a, double v, char separator) {
  if (v == 0) return "0";
  std::string t = FixedText(v, a.decimals, separator);
  return a.unit.empty() ? t : t + a.unit;
}

void DrawBars(cairo_t* cr, const TChart& chart, double top) {
  Box area{kMargin, top, chart.Width - 2 * kMargin, chart.Height - top - kMargin};
  double legend = chart.CategoryLabels ? 0 : DrawLegend(cr, chart, area, 0.45);
  area.w -= legend;

  double max_value = 0;
  for (const auto& p : chart.Points) max_value = std::max(max_value, p.Value);

  const std::string axis_title = PrintableText(chart.LeftAxisTitle);
  double left = area.x + (axis_title.empty() ? 0 : kLabelSize + 6);
  double bottom = area.y + area.h - (chart.CategoryLabels ? kTickSize + 6 : 0);
  double plot_top = area.y + kTickSize / 2 + 2;
  Axis axis = MakeAxis(chart, max_value, bottom - plot_top);

  SetFont(cr, kTickSize);
  double tick_w = 0;
  for (double v = 0; v <= axis.max + axis.step / 2; v += axis.step)
    tick_w = std::max(tick_w, TextWidth(cr, TickText(axis, v, chart.DecimalSeparator)));
  double plot_left = std::round(left + tick_w + 6) + 0.5;
  double plot_right = std::round(area.x + area.w - 2) + 0.5;
  bottom = std::round(bottom) + 0.5;
  const double plot_w = std::max(1.0, plot_right - plot_left);
  const double plot_h = std::max(1.0, bottom - plot_top);

  // Grid lines and tick labels.
  cairo_set_line_width(cr, 1);
  for (double v = 0; v <= axis.max + axis.step / 2; v += axis.step) {
    double y = std::round(bottom - v / axis.max * plot_h) + 0.5;
    if (v > 0) {
      SetRgb(cr, kGridColour);
      cairo_move_to(cr, plot_left, y);
      cairo_line_to(cr, plot_right, y);
      cairo_stroke(cr);
    }
    SetRgb(cr, kAxisColour);
    cairo_move_to(cr, plot_left - 3, y);
    cairo_line_to(cr, plot_left, y);
    cairo_stroke(cr);
    SetRgb(cr, kTextColour);
    DrawText(cr, TickText(axis, v, chart.DecimalSeparator), plot_left - 5, y, 1);
  }
  if (!axis_title.empty()) {
    SetFont(cr, kLabelSize);
    SetRgb(cr, kTextColour);
    std::string t = FitText(cr, axis_title, plot_h);
    cairo_save(cr);
    cairo_translate(cr, area.x + kLabelSize / 2 + 1, plot_top + plot_h / 2);
    cairo_rotate(cr, -kPi / 2);
    DrawText(cr, t, 0, 0, 0.5);
    cairo_restore(cr);
  }

  const size_t n = chart.Points.size();
  if (n > 0) {
    const double slot = plot_w / n;
    const double bar_w = std::clamp(slot * 0.7, std::min(1.0, slot), 48.0);
    for (size_t i = 0; i < n; ++i) {
      const auto& p = chart.Points[i];
      double h = std::max(0.0, p.Value / axis.scale / axis.max * plot_h);
      double x = plot_left + slot * i + (slot - bar_w) / 2;
      if (h <= 0) continue;
      cairo_rectangle(cr, x, bottom - h, bar_w, h);
      cairo_pattern_t* shade = cairo_pattern_create_linear(x, 0, x + bar_w, 0);
      uint32_t light = Shade(p.Rgb, 0.3);
      AddColourStop(shade, 0, p.Rgb);
      AddColourStop(shade, 0.45, light);
      AddColourStop(shade, 1, p.Rgb);
      cairo_set_source(cr, shade);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(shade);
      if (bar_w >= 3) {
        SetRgb(cr, Shade(p.Rgb, -0.3));
        cairo_stroke(cr);
      } else {
        cairo_new_path(cr);
      }
    }
    if (chart.CategoryLabels) {
      // Every k-th label, so that neighbouring labels never touch.
      SetFont(cr, kTickSize);
      double widest = 0;
      for (const auto& p : chart.Points) widest = std::max(widest, TextWidth(cr, PrintableText(p.Label)));
      size_t every = std::max<size_t>(1, static_cast<size_t>(std::ceil((widest + 6) / slot)));
      SetRgb(cr, kTextColour);
      for (size_t i = 0; i < n; i += every)
        DrawText(cr, FitText(cr, PrintableText(chart.Points[i].Label), slot * every),
                 plot_left + slot * (i + 0.5), bottom + 3 + kTickSize / 2 + 1, 0.5);
    }
  }
  // Axis lines last, over the bars' feet.
  SetRgb(cr, kAxisColour);
  cairo_move_to(cr, plot_left, plot_top - 2);
  cairo_line_to(cr, plot_left, bottom);
  cairo_line_to(cr, plot_right, bottom);
  cairo_stroke(cr);
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string RenderChartPng(const TChart& chart) {
  const int w = std::max(1, chart.Width), h = std::max(1, chart.Height);
  std::unique_ptr<cairo_surface_t, CairoDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw EInOutError("cannot create a chart image of " + std::to_string(w) + " x " +
                      std::to_string(h) + " pixels");
  {
    std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr.get(), fo);
    cairo_font_options_destroy(fo);
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_BEST);

    SetRgb(cr.get(), chart.Background);
    cairo_paint(cr.get());
    double top = DrawTitle(cr.get(), chart);
    if (chart.Kind == TChartKind::Pie)
      DrawPie(cr.get(), chart, top);
    else
      DrawBars(cr.get(), chart, top);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
      throw EInOutError(std::string("drawing the chart failed: ") +
                        cairo_status_to_string(cairo_status(cr.get())));
  }
  cairo_surface_flush(surface.get());
  std::string png;
  cairo_status_t st = cairo_surface_write_to_png_stream(surface.get(), AppendPng, &png);
  if (st != CAIRO_STATUS_SUCCESS)
    throw EInOutError(std::string("PNG encoding failed: ") + cairo_status_to_string(st));
  return png;
}

bool SaveChartImage(const TChart& chart, const std::string& file_name) {
  try {
    platform::WriteFileAtomically(file_name, RenderChartPng(chart));
    return true;
  } catch (const std::exception& e) {
    LogError("Failed to save image \"" + PrintableText(file_name) + "\"");
    LogError(std::string(ErrorTypeName(e)) + e.what());
    return false;
  }
}
