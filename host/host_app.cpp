#include "host/host_app.h"

#include "host/text_table.h"

HostApp& App() {
    static HostApp app;
    return app;
}

void __stdcall HostTextForModule(DWORD textId, char* buffer, int bufferSize) {
    CopyHostText(textId, buffer, bufferSize);
    App().log.Writef("textreq %lu size %d%s", static_cast<unsigned long>(textId), bufferSize,
                     HostText(textId) == nullptr ? " (none)" : "");
}
