#include "LayoutBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace saku_test {

LayoutBox::LayoutBox(const std::wstring& attributes)
{
    size_t start = 0;
    while (start < attributes.size()) {
        size_t end = attributes.find(L';', start);
        if (end == std::wstring::npos)
            end = attributes.size();
        const std::wstring pair = attributes.substr(start, end - start);
        start = end + 1;
        const size_t equals = pair.find(L'=');
        if (equals == std::wstring::npos) {
            ADD_FAILURE() << "attribute without value: " << pair.c_str();
            continue;
        }
        const std::wstring name = pair.substr(0, equals);
        const SAKU::SStringW value(pair.substr(equals + 1).c_str());
        HRESULT result = S_OK;
        if (name == L"pos")
            result = m_param.SetPos(value);
        else if (name == L"size")
            result = m_param.SetSize(value);
        else if (name == L"width")
            result = m_param.SetWidth(value);
        else if (name == L"height")
            result = m_param.SetHeight(value);
        else if (name == L"offset")
            result = m_param.SetOffset(value);
        else if (name == L"id")
            m_id = _wtoi(value);
        else if (name == L"scale")
            m_scale = _wtoi(value);
        else if (name == L"want")
            EXPECT_EQ(2, swscanf(value, L"%ldx%ld", &m_want.cx, &m_want.cy));
        else
            ADD_FAILURE() << "unknown attribute " << name.c_str();
        EXPECT_EQ(S_OK, result) << pair.c_str();
    }
}

SIZE LayoutBox::GetDesiredSize(int parentWidth, int parentHeight)
{
    m_calls.push_back(std::to_wstring(parentWidth) + L"x" + std::to_wstring(parentHeight));
    return m_want;
}

LayoutBoxes::LayoutBoxes(const std::vector<std::wstring>& children)
{
    for (const std::wstring& child : children) {
        boxes.push_back(std::make_unique<LayoutBox>(child));
        pointers.push_back(boxes.back().get());
    }
}

std::vector<RECT> LayoutBoxes::Resolve(int width, int height)
{
    std::vector<RECT> rects(pointers.size());
    EXPECT_TRUE(SAKU::ResolvePositions(pointers.data(), static_cast<int>(pointers.size()), width, height, rects.data()));
    return rects;
}

SIZE LayoutBoxes::Measure(int width, int height)
{
    return SAKU::MeasurePositions(pointers.data(), static_cast<int>(pointers.size()), width, height);
}

std::wstring DescribeRect(const RECT& rect)
{
    auto coordinate = [](LONG value) {
        return value == SAKU::kPosUncomputed ? std::wstring(L"?")
               : value == SAKU::kPosWaiting  ? std::wstring(L"~")
                                             : std::to_wstring(value);
    };
    return L"{" + coordinate(rect.left) + L"," + coordinate(rect.top) + L"," + coordinate(rect.right) + L"," +
           coordinate(rect.bottom) + L"}";
}

}  // namespace saku_test
