#include "cms/cms_form_w32.h"

#include <windows.h>

#include <algorithm>

#include "shell/dialog_template_w32.h"

namespace {

constexpr WORD kFirstText = 200, kFirstCheck = 300;
constexpr short kWidth = 270, kLabelWidth = 86, kFieldX = 97, kLineHeight = 9;

struct Form {
    const std::vector<FormText>* texts;
    const std::vector<FormCheck>* checks;
};

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Edit controls show CR LF; the requests hold LF.
std::string ToControl(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        if (c != '\r') out += c;
    }
    return out;
}

std::string FromControl(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* form = DialogRecord<Form>(dialog, message, lparam);
    switch (message) {
        case WM_INITDIALOG:
            for (size_t i = 0; i < form->texts->size(); ++i)
                SetDlgItemTextA(dialog, kFirstText + static_cast<int>(i), ToControl(*(*form->texts)[i].text).c_str());
            for (size_t i = 0; i < form->checks->size(); ++i)
                CheckDlgButton(dialog, kFirstCheck + static_cast<int>(i), *(*form->checks)[i].value ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                for (size_t i = 0; i < form->texts->size(); ++i)
                    *(*form->texts)[i].text = FromControl(ItemText(dialog, kFirstText + static_cast<int>(i)));
                for (size_t i = 0; i < form->checks->size(); ++i)
                    *(*form->checks)[i].value = IsDlgButtonChecked(dialog, kFirstCheck + static_cast<int>(i)) == BST_CHECKED;
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool RunForm(const char* title, const std::string& information, const std::vector<FormText>& texts,
             const std::vector<FormCheck>& checks) {
    short info_lines = information.empty() ? 0 : static_cast<short>(std::count(information.begin(), information.end(), '\n') + 1);
    short height = static_cast<short>(7 + (info_lines ? info_lines * kLineHeight + 6 : 0));
    for (const FormText& t : texts) height = static_cast<short>(height + (t.multiline ? 40 : 16));
    height = static_cast<short>(height + static_cast<short>(checks.size()) * 12 + 28);
    DialogTemplate d(title, kWidth, height);
    short y = 7;
    if (info_lines) {
        d.Label(7, y, kWidth - 14, static_cast<short>(info_lines * kLineHeight), ToControl(information).c_str());
        y = static_cast<short>(y + info_lines * kLineHeight + 6);
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        WORD id = static_cast<WORD>(kFirstText + i);
        d.Label(7, static_cast<short>(y + 2), kLabelWidth, 10, texts[i].label);
        if (texts[i].multiline) {
            d.Edit(kFieldX, y, kWidth - kFieldX - 7, 36, id, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL);
            y = static_cast<short>(y + 40);
        } else {
            d.Edit(kFieldX, y, kWidth - kFieldX - 7, 12, id);
            y = static_cast<short>(y + 16);
        }
    }
    for (size_t i = 0; i < checks.size(); ++i) {
        d.Check(7, y, kWidth - 14, 10, static_cast<WORD>(kFirstCheck + i), checks[i].label);
        y = static_cast<short>(y + 12);
    }
    d.OkCancel(kWidth - 7 - 106, static_cast<short>(y + 6));
    Form form{&texts, &checks};
    return d.Run(FormProc, reinterpret_cast<LPARAM>(&form)) == IDOK;
}
