// Releasing the session's drawing resources and the catalogue.
#include "config/catalogue.h"
#include "frame/exports.h"
#include "frame/show_window.h"
#include "session/module_dialogs.h"

namespace {

void ReleasePalette() {
    if (session.pagePalette) {
        DeleteObject(session.pagePalette);
        session.pagePalette = nullptr;
    }
    if (session.pagePaletteMemory) {
        while (GlobalUnlock(session.pagePaletteMemory)) {
        }
        GlobalFree(session.pagePaletteMemory);
        session.pagePaletteMemory = nullptr;
    }
}

void ReleaseSurface(HDC& dc, HBITMAP& bitmap, HGDIOBJ& oldBitmap) {
    if (dc && oldBitmap)
        SelectObject(dc, oldBitmap);
    oldBitmap = nullptr;
    if (bitmap) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    if (dc) {
        DeleteDC(dc);
        dc = nullptr;
    }
}

void ReleaseSessionObjects() {
    ReleasePalette();
    for (HFONT& font : session.fonts) {
        if (font) {
            DeleteObject(font);
            font = nullptr;
        }
    }
    ReleaseSurface(session.pageDc, session.pageBitmap, session.pageDcOldBitmap);
    ReleaseSurface(session.workDc, session.workBitmap, session.workDcOldBitmap);
    FreeCatalogue();
    if (session.bigCursor) {
        DestroyCursor(session.bigCursor);
        session.bigCursor = nullptr;
    }
}

} // namespace

extern "C" void __stdcall DemoFree(void) {
    // The show ends with the session: the host may unload the module next,
    // and the show window's procedure lives in it.
    EndShowSilently();
    // A host that ends on result 4 at once may call this from inside one of
    // the module's dialogs (its timer runs there). The demonstration is over,
    // so they close; what they still use goes when the last has closed.
    if (ModuleDialogOpen())
        EndModuleDialogs();
    ReleaseWhenDialogsClose(ReleaseSessionObjects);
}
