#include "keys/OtherDataRunner.h"

#include "keys/FunctionType.h"

#include <cwctype>
#include <optional>

namespace corvane {

namespace {

// "scheme:" as URIs write it, without dots so that "www.example.com:8080" is no scheme.
bool HasScheme(const tarn::CString& address)
{
    const std::wstring_view text = address.view();
    const size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos || colon == 0 || !std::iswalpha(static_cast<wint_t>(text[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const wchar_t c = text[i];
        if (!std::iswalnum(static_cast<wint_t>(c)) && c != L'+' && c != L'-')
            return false;
    }
    return true;
}

// Digits only: a profile number that does not read cleanly switches nowhere.
std::optional<int> ProfileNumber(tarn::CString text)
{
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > 9)
        return std::nullopt;
    int number = 0;
    for (wchar_t c : text.view()) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        number = number * 10 + (c - L'0');
    }
    return number;
}

OtherDataResult Outcome(bool done)
{
    return done ? OtherDataResult::Done : OtherDataResult::ActionFailed;
}

} // namespace

tarn::CString WebAddressTarget(const tarn::CString& address)
{
    if (address.IsEmpty())
        return address;
    tarn::CString target = address.Find(L"www.") < 0 ? tarn::CString::Formatted(L"www.%s", address.view()) : address;
    if (!HasScheme(target))
        target = L"http://" + target;
    return target;
}

OtherDataResult RunOtherData(int id, OtherDataLookup& lookup, OtherDataActions& actions)
{
    const std::optional<OtherDataRow> row = lookup.GetOtherData(id);
    if (!row)
        return OtherDataResult::NoRow;
    switch (row->type) {
    case FunctionType::Program:
        if (row->param.IsEmpty())
            return OtherDataResult::BadParam;
        return Outcome(actions.StartProgram(row->param));
    case FunctionType::WebPage: {
        const tarn::CString target = WebAddressTarget(row->macro_desc);
        if (target.IsEmpty())
            return OtherDataResult::BadParam;
        return Outcome(actions.OpenWebAddress(target));
    }
    case FunctionType::PasteText:
        if (row->macro_desc.IsEmpty())
            return OtherDataResult::BadParam;
        return Outcome(actions.PasteText(row->macro_desc));
    case FunctionType::SwitchProfile: {
        const std::optional<int> number = ProfileNumber(row->param);
        if (!number)
            return OtherDataResult::BadParam;
        return Outcome(actions.SwitchProfile(*number));
    }
    default:
        return OtherDataResult::NotAnAction;
    }
}

} // namespace corvane
