#include "shell/dialog_template_w32.h"

#include "shell/app_state_w32.h"

DialogTemplate::DialogTemplate(const char* title, short cx, short cy) {
    DLGTEMPLATE t{};
    t.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.cx = cx;
    t.cy = cy;
    Put(&t, sizeof t);
    Word(0);  // no menu
    Word(0);  // default class
    Text(title);
    Word(8);
    Text("MS Shell Dlg");
}

void DialogTemplate::Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD window_class,
                          const char* text) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Put(&item, sizeof item);
    Word(0xFFFF);
    Word(window_class);
    Text(text);
    Word(0);  // no creation data
    ++items_;
}

void DialogTemplate::Label(short x, short y, short cx, short cy, const char* text, WORD id) {
    Item(SS_LEFT, x, y, cx, cy, id, kStaticClass, text);
}

void DialogTemplate::Edit(short x, short y, short cx, short cy, WORD id, DWORD style) {
    Item(style | WS_BORDER | WS_TABSTOP, x, y, cx, cy, id, kEditClass, "");
}

void DialogTemplate::Button(short x, short y, short cx, short cy, WORD id, const char* text, bool is_default) {
    Item((is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y, cx, cy, id, kButtonClass, text);
}

void DialogTemplate::Check(short x, short y, short cx, short cy, WORD id, const char* text) {
    Item(BS_AUTOCHECKBOX | WS_TABSTOP, x, y, cx, cy, id, kButtonClass, text);
}

void DialogTemplate::List(short x, short y, short cx, short cy, WORD id, DWORD style) {
    Item(style | WS_BORDER | WS_VSCROLL | WS_TABSTOP, x, y, cx, cy, id, kListBoxClass, "");
}

void DialogTemplate::Combo(short x, short y, short cx, short cy, WORD id, DWORD style) {
    Item(style | WS_VSCROLL | WS_TABSTOP, x, y, cx, cy, id, kComboBoxClass, "");
}

void DialogTemplate::OkCancel(short x, short y) {
    Button(x, y, 50, 14, IDOK, "OK", true);
    Button(static_cast<short>(x + 56), y, 50, 14, IDCANCEL, "Cancel");
}

const DLGTEMPLATE* DialogTemplate::Get() {
    auto* t = reinterpret_cast<DLGTEMPLATE*>(bytes_.data());
    t->cdit = items_;
    return t;
}

INT_PTR DialogTemplate::Run(DLGPROC procedure, LPARAM parameter) {
    HINSTANCE instance = g_app ? g_app->instance : GetModuleHandleA(nullptr);
    HWND owner = g_app ? g_app->frame : nullptr;
    return DialogBoxIndirectParamA(instance, Get(), owner, procedure, parameter);
}

void DialogTemplate::Put(const void* p, size_t n) {
    const char* c = static_cast<const char*>(p);
    bytes_.insert(bytes_.end(), c, c + n);
}

void DialogTemplate::Word(WORD w) { Put(&w, sizeof w); }

void DialogTemplate::Text(const char* s) {
    do Word(static_cast<WORD>(static_cast<unsigned char>(*s)));
    while (*s++);
}

void DialogTemplate::Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
}
