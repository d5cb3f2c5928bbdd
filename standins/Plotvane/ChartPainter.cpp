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
    RECT area = {client.left + 60, client.top + 12 + 2 * line, client.right - 16, client.bottom - 10 - line};
    if (count == 0 || area.right <= area.left || area.bottom <= area.top) {
        ::SelectObject(dc, oldFont);
        return;
    }

    double low = 0, high = 0;
    for (const S_CHART_DATA& r : chart.Records) {
        low = std::min({low, r.Value, chart.SecondValue ? r.Value2 : 0.0});
        high = std::max({high, r.Value, chart.SecondValue ? r.Value2 : 0.0});
    }
    if (high == low)
        high = low + 1;
    const int height = area.bottom - area.top;
    auto yOf = [&](double v) { return area.bottom - static_cast<int>((v - low) / (high - low) * height); };
    const int zero = yOf(0);

    // Axes with the scale's ends.
    {
        GdiObject pen(dc, ::CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
        ::MoveToEx(dc, area.left, area.top, nullptr);
        ::LineTo(dc, area.left, area.bottom);
        ::MoveToEx(dc, area.left, zero, nullptr);
        ::LineTo(dc, area.right, zero);
    }
    CString number;
    number.Format(L"%.0f", high);
    Text(dc, area.left - 4, area.top - line / 2, number, TA_RIGHT);
    number.Format(L"%.0f", low);
    Text(dc, area.left - 4, area.bottom - line / 2, number, TA_RIGHT);

    const int slot = std::max(1, static_cast<int>(area.right - area.left) / count);
    // Labels under the axis, as many as fit.
    const int labelEvery = std::max(1, static_cast<int>(metrics.tmAveCharWidth * 12) / slot);
    for (int i = 0; i < count; i += labelEvery)
        Text(dc, area.left + i * slot + slot / 2, area.bottom + 4, chart.Records[static_cast<size_t>(i)].Label, TA_CENTER);

    if (chart.Mode == L'0') {
        auto series = [&](COLORREF colour, bool second) {
            GdiObject pen(dc, ::CreatePen(PS_SOLID, 2, colour));
            for (int i = 0; i < count; ++i) {
                const S_CHART_DATA& r = chart.Records[static_cast<size_t>(i)];
                const int x = area.left + i * slot + slot / 2;
                const int y = yOf(second ? r.Value2 : r.Value);
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
                const int y = yOf(b ? r.Value2 : r.Value);
                RECT bar = {x, std::min(y, zero), x + width, std::max(y, zero) + 1};
                HBRUSH brush = ::CreateSolidBrush(b ? kSecond : kFirst);
                ::FillRect(dc, &bar, brush);
                ::DeleteObject(brush);
            }
        }
    }
    ::SelectObject(dc, oldFont);
}
