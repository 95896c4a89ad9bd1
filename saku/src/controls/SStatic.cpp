#include "controls/SStatic.h"

#include "render/IRenderTarget.h"

namespace SAKU {

namespace {

// The character after `p`: CharNextW, and a surrogate pair as one character
// wherever CharNextW takes it as two halves.
LPCWSTR NextChar(LPCWSTR p)
{
    LPCWSTR next = ::CharNextW(p);
    if (next == p + 1 && IS_HIGH_SURROGATE(p[0]) && IS_LOW_SURROGATE(p[1]))
        ++next;
    return next;
}

}  // namespace

SStatic::SStatic()
{
    m_style.ApplyAttribute(L"align", L"left", TRUE);
    ApplyAttribute(L"msgTransparent", L"1", TRUE);   // a label never takes the mouse
}

void SStatic::DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format)
{
    if (m_multiLines == 0) {
        SWindow::DrawText(target, text, length, rect, format);
        return;
    }
    if ((format & (DT_VCENTER | DT_BOTTOM)) && !(format & DT_CALCRECT)) {
        // The lines are placed from the top: the block is measured first and its
        // top moved down to centre it or to sit it on the bottom.
        RECT block = *rect;
        DrawMultiLine(target, text, length, &block, format | DT_CALCRECT);
        const int room = (rect->bottom - rect->top) - (block.bottom - block.top);
        RECT placed = *rect;
        placed.top += (format & DT_VCENTER) ? room / 2 : room;
        DrawMultiLine(target, text, length, &placed, format);
        return;
    }
    DrawMultiLine(target, text, length, rect, format);
}

void SStatic::DrawMultiLine(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format)
{
    SIZE letter = {};
    target->MeasureText(L"A", 1, &letter);
    const int lineHeight = letter.cy;
    const bool measuring = (format & DT_CALCRECT) != 0;
    const int left = rect->left;
    const int right = rect->right;
    if (measuring)
        rect->right = rect->left;
    if (length < 0)
        length = static_cast<int>(wcslen(text));

    LPCWSTR const end = text + length;
    LPCWSTR lineStart = text;
    LPCWSTR lineEnd = text;
    int x = left;
    int y = rect->top;
    const auto drawLine = [&] {
        if (!measuring && lineEnd > lineStart) {
            RECT line = {left, y, right, y + lineHeight};
            target->DrawText(lineStart, static_cast<int>(lineEnd - lineStart), &line, format);
        }
    };
    const auto breakLine = [&](LPCWSTR next) {
        drawLine();
        y += lineHeight + m_interHeight;
        x = left;
        lineStart = lineEnd = next;
    };

    for (LPCWSTR p = text; p < end;) {
        if (p[0] == L'\\' && p + 1 < end && p[1] == L'n') {
            breakLine(p + 2);
            p += 2;
            continue;
        }
        if (p[0] == L'\n') {
            breakLine(p + 1);
            p += 1;
            continue;
        }
        LPCWSTR next = NextChar(p);
        if (next == p)   // a zero inside the length
            next = p + 1;
        if (next > end)
            next = end;
        SIZE size = {};
        target->MeasureText(p, static_cast<int>(next - p), &size);
        if (x + size.cx > right && lineEnd > lineStart) {
            breakLine(p);   // the same character starts the next line
            continue;
        }
        x += size.cx;
        lineEnd = next;
        if (measuring && x > rect->right)
            rect->right = x;
        p = next;
    }

    if (measuring)
        rect->bottom = y + lineHeight;
    else
        drawLine();
}

}  // namespace SAKU
