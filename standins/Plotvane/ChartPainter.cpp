#include "ChartPainter.h"

#include <algorithm>

namespace {

const COLORREF kFirst = RGB(30, 90, 200);
const COLORREF kSecond = RGB(210, 60, 40);

class GdiObject
{
public:
    GdiObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_object(object), m_old(::SelectObject(dc, object)) {}
    ~GdiObject()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

void Text(HDC dc, int x, int y, const CString& text, UINT align = TA_LEFT)
{
    ::SetTextAlign(dc, align | TA_TOP);
    ::TextOutW(dc, x, y, text, text.GetLength());
}

} // namespace

void PaintChart(HDC dc, const RECT& client, const ChartFile& chart)
{
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics;
    ::GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight + 2;

    Text(dc, 10, 6, chart.Key + L" - " + chart.Report);
    ::SetTextColor(dc, kFirst);
    Text(dc, 10, 6 + line, L"\x25A0 " + chart.Label1);
    if (chart.SecondValue) {
        ::SetTextColor(dc, kSecond);
        Text(dc, 200, 6 + line, L"\x25A0 " + chart.Label2);
    }
    ::SetTextColor(dc, RGB(0, 0, 0));

    const int count = static_cast<int>(chart.Records.size());
    RECT area = {client.left + 60, client.top + 12 + 2 * line, client.right - (chart.SecondValue ? 60 : 16),
                 client.bottom - 10 - line};
    if (count == 0 || area.right <= area.left || area.bottom <= area.top) {
        ::SelectObject(dc, oldFont);
        return;
    }

    // Each value has its own scale (amounts and counts differ by far): the
    // first on the left axis, the second on the right.
    struct Scale
    {
        double low = 0, high = 0;
    } scale1, scale2;
    for (const S_CHART_DATA& r : chart.Records) {
        scale1.low = std::min(scale1.low, r.Value);
        scale1.high = std::max(scale1.high, r.Value);
        scale2.low = std::min(scale2.low, r.Value2);
        scale2.high = std::max(scale2.high, r.Value2);
    }
    for (Scale* scale : {&scale1, &scale2})
        if (scale->high == scale->low)
            scale->high = scale->low + 1;
    const int height = area.bottom - area.top;
    auto yOf = [&](double v, const Scale& scale) {
        return area.bottom - static_cast<int>((v - scale.low) / (scale.high - scale.low) * height);
    };
    const int zero = yOf(0, scale1);

    // Axes with the scales' ends.
    {
        GdiObject pen(dc, ::CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
        ::MoveToEx(dc, area.left, area.top, nullptr);
        ::LineTo(dc, area.left, area.bottom);
        ::MoveToEx(dc, area.left, zero, nullptr);
        ::LineTo(dc, area.right, zero);
        if (chart.SecondValue) {
            ::MoveToEx(dc, area.right, area.top, nullptr);
            ::LineTo(dc, area.right, area.bottom);
        }
    }
    CString number;
    number.Format(L"%.0f", scale1.high);
    Text(dc, area.left - 4, area.top - line / 2, number, TA_RIGHT);
    number.Format(L"%.0f", scale1.low);
    Text(dc, area.left - 4, area.bottom - line / 2, number, TA_RIGHT);
    if (chart.SecondValue) {
        ::SetTextColor(dc, kSecond);
        number.Format(L"%.0f", scale2.high);
        Text(dc, area.right + 4, area.top - line / 2, number);
        number.Format(L"%.0f", scale2.low);
        Text(dc, area.right + 4, area.bottom - line / 2, number);
        ::SetTextColor(dc, RGB(0, 0, 0));
    }

    const int slot = std::max(1, static_cast<int>(area.right - area.left) / count);
    // Labels under the axis, as many as fit.
    SIZE widest = {};
    const CString& first = chart.Records.front().Label;
    ::GetTextExtentPoint32W(dc, first, first.GetLength(), &widest);
    const int labelEvery = std::max(1, static_cast<int>(widest.cx + 12) / slot + 1);
    for (int i = 0; i < count; i += labelEvery)
        Text(dc, area.left + i * slot + slot / 2, area.bottom + 4, chart.Records[static_cast<size_t>(i)].Label, TA_CENTER);

    if (chart.Mode == L'0') {
        auto series = [&](COLORREF colour, bool second) {
            GdiObject pen(dc, ::CreatePen(PS_SOLID, 2, colour));
            for (int i = 0; i < count; ++i) {
                const S_CHART_DATA& r = chart.Records[static_cast<size_t>(i)];
                const int x = area.left + i * slot + slot / 2;
                const int y = second ? yOf(r.Value2, scale2) : yOf(r.Value, scale1);
                if (i == 0)
                    ::MoveToEx(dc, x, y, nullptr);
                else
                    ::LineTo(dc, x, y);
                ::Rectangle(dc, x - 2, y - 2, x + 3, y + 3);
            }
        };
        series(kFirst, false);
        if (chart.SecondValue)
            series(kSecond, true);
    } else {
        const int bars = chart.SecondValue ? 2 : 1;
        const int width = std::max(1, (slot - 2) / bars);
        for (int i = 0; i < count; ++i) {
            const S_CHART_DATA& r = chart.Records[static_cast<size_t>(i)];
            for (int b = 0; b < bars; ++b) {
                const int x = area.left + i * slot + 1 + b * width;
                const int y = b ? yOf(r.Value2, scale2) : yOf(r.Value, scale1);
                const int base = b ? yOf(0, scale2) : zero;
                RECT bar = {x, std::min(y, base), x + width, std::max(y, base) + 1};
                HBRUSH brush = ::CreateSolidBrush(b ? kSecond : kFirst);
                ::FillRect(dc, &bar, brush);
                ::DeleteObject(brush);
            }
        }
    }
    ::SelectObject(dc, oldFont);
}
