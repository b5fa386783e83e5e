#include "project/document_listing_w32.h"

#include <windows.h>

#include "editor/text_document.h"
#include "project/current_project.h"
#include "project/dialog_fields_w32.h"
#include "project/document_listing.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"

namespace {

enum : int { kList = 101 };

struct Listing {
    const char* title;
    std::vector<std::string> lines;
};

INT_PTR CALLBACK ListingProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* listing = reinterpret_cast<Listing*>(lparam);
        SetWindowTextA(dialog, listing->title);
        HWND list = GetDlgItem(dialog, kList);
        HFONT font = g_app && g_app->fixed_font_small ? g_app->fixed_font_small
                                                      : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        FillList(list, listing->lines);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void DocumentListingCommand() {
    std::vector<ListedDocument> documents;
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next) {
        ListedDocument d{doc->name, IsModified(doc), doc->line_count, 0};
        for (const TextLine* line = doc->lines->next; line != doc->lines; line = line->next) d.bytes += line->length + 2;
        documents.push_back(d);
    }
    const Project* p = CurrentProject();
    Listing listing{p ? p->name.c_str() : "no project", DocumentListing(documents)};
    DialogTemplate t("Open files", 300, 150);
    t.List(6, 6, 288, 118, kList, LBS_NOSEL);
    t.Button(244, 130, 50, 14, IDOK, "OK", true);
    t.Run(ListingProc, reinterpret_cast<LPARAM>(&listing));
}
