#include "session/session.h"

DemoSession session;

void GetHostText(DWORD id, char* buffer, int bufferSize) {
    if (bufferSize <= 0)
        return;
    buffer[0] = '\0';
    if (session.hostTextCallback)
        session.hostTextCallback(id, buffer, bufferSize);
    buffer[bufferSize - 1] = '\0'; // a host that fills the buffer still leaves a text
}
