#include "layout/SakuLayoutParamStruct.h"

#include "layout/SplitKeepingEmpty.h"
#include "layout/TLayoutParamImpl.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

namespace SAKU {

namespace {

SLayoutDim ParseDim(std::wstring_view text)
{
    SLayoutDim dim;
    dim.Parse(SStringW(text.data(), static_cast<int>(text.size())));
    return dim;
}

// A whole decimal integer, nothing before or after it.
bool ParseDecimal(std::wstring_view text, int& number)
{
    if (text.empty())
        return false;
    const std::wstring copy(text);
    wchar_t* end = nullptr;
    errno = 0;
    const long value = wcstol(copy.c_str(), &end, 10);
    if (errno != 0 || end != copy.c_str() + copy.size())
        return false;
    number = static_cast<int>(value);
    return true;
}

// The rest of a sibling item after "sib.<edge>@": exactly an id (not 0) and an
// offset, whose sign goes into the item's sign.
bool ParseSiblingItem(std::wstring_view rest, int type, SakuPosItem& item)
{
    const std::vector<std::wstring_view> parts = SplitKeepingEmpty(rest, L':');
    int id = 0;
    if (parts.size() != 2 || !ParseDecimal(parts[0], id) || id == 0)
        return false;
    SLayoutDim offset = ParseDim(parts[1]);
    item.type = type;
    item.siblingId = id;
    item.sign = 1;
    if (offset.GetValue() < 0) {
        item.sign = -1;
        offset.Set(-offset.GetValue(), offset.GetUnit());
    }
    item.offset = offset;
    return true;
}

bool ParseItem(std::wstring_view text, SakuPosItem& item)
{
    if (text.empty())
        return false;
    constexpr std::wstring_view kSibling = L"sib.";
    if (text.substr(0, kSibling.size()) == kSibling) {
        static const struct {
            std::wstring_view edge;
            int type;
        } kEdges[] = {
            {L"left@", kPosSibNear}, {L"top@", kPosSibNear}, {L"right@", kPosSibFar}, {L"bottom@", kPosSibFar},
        };
        const std::wstring_view named = text.substr(kSibling.size());
        for (const auto& edge : kEdges) {
            if (named.substr(0, edge.edge.size()) == edge.edge)
                return ParseSiblingItem(named.substr(edge.edge.size()), edge.type, item);
        }
        return false;   // a sibling reference to an edge that does not exist
    }

    static const struct {
        wchar_t prefix;
        int type;
    } kPrefixes[] = {
        {L'%', kPosPercent}, {L'@', kPosSize},     {L'[', kPosPrevFar}, {L']', kPosNextNear},
        {L'{', kPosPrevNear}, {L'|', kPosCenter},  {L'}', kPosNextFar},
    };
    SakuPosItem parsed;
    for (const auto& prefix : kPrefixes) {
        if (text.front() == prefix.prefix) {
            parsed.type = prefix.type;
            text.remove_prefix(1);
            break;
        }
    }
    if (!text.empty() && text.front() == L'-') {
        parsed.sign = -1;
        text.remove_prefix(1);
    }
    parsed.offset = ParseDim(text);
    item = parsed;
    return true;
}

bool IsZeroFromNearEdge(const SakuPosItem& item)
{
    return item.type == kPosParentEdge && item.offset.IsZero() && item.sign == 1;
}

bool IsZeroFromFarEdge(const SakuPosItem& item)
{
    return item.type == kPosParentEdge && item.offset.IsZero() && item.sign == -1;
}

// The size that four items give one direction: the whole parent for "0" and "-0",
// the "@" size (wrap content when negative), else none: the positions decide.
SLayoutDim SizeFromItems(const SakuPosItem& nearItem, const SakuPosItem& farItem)
{
    SLayoutDim size(kSizeInvalid, kUnitPx);
    if (IsZeroFromNearEdge(nearItem) && IsZeroFromFarEdge(farItem)) {
        size.SetMatchParent();
    } else if (farItem.type == kPosSize) {
        const float value = farItem.sign * farItem.offset.GetValue();
        size.Set(value, farItem.offset.GetUnit());
        if (value < 0)
            size.SetWrapContent();
    }
    return size;
}

}  // namespace

HRESULT SakuLayoutParamStruct::SetPos(const SStringW& value)
{
    const std::vector<std::wstring_view> items = SplitKeepingEmpty(std::wstring_view(value.c_str(), value.GetLength()), L',');
    if (items.size() != 2 && items.size() != 4)
        return E_INVALIDARG;

    // All items or none: a half-read "pos" would place the child by a mix of the
    // old and the new items.
    SakuPosItem parsed[4];
    for (size_t i = 0; i < items.size(); ++i) {
        if (!ParseItem(items[i], parsed[i]))
            return S_OK;
    }
    if (parsed[0].type == kPosSize || parsed[1].type == kPosSize)
        return S_OK;

    count = static_cast<int>(items.size());
    left = parsed[0];
    top = parsed[1];
    if (count == 4) {
        right = parsed[2];
        bottom = parsed[3];
        width = SizeFromItems(left, right);
        height = SizeFromItems(top, bottom);
        return S_OK;
    }
    if (!width.IsValid())
        width.SetWrapContent();
    if (!height.IsValid())
        height.SetWrapContent();
    return S_OK;
}

HRESULT SakuLayoutParamStruct::SetWidth(const SStringW& value)
{
    (void)ReadSizeText(width, value);   // reads every text
    return S_OK;
}

HRESULT SakuLayoutParamStruct::SetHeight(const SStringW& value)
{
    (void)ReadSizeText(height, value);   // reads every text
    return S_OK;
}

HRESULT SakuLayoutParamStruct::SetSize(const SStringW& value)
{
    return ReadSizePair(value, width, height);
}

HRESULT SakuLayoutParamStruct::SetOffset(const SStringW& value)
{
    float x = 0.0f;
    float y = 0.0f;
    if (swscanf(value.c_str(), L"%f,%f", &x, &y) != 2)
        return E_FAIL;
    offsetX = x;
    offsetY = y;
    return S_OK;
}

}  // namespace SAKU
