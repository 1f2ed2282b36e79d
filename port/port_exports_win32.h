// The interface exports: OpenIC answers for the simulated instrument, SetIC
// and CloseIC are passed on to the interface library.
#pragma once

extern "C" {
int __stdcall OpenIC(int port, int a2, int a3, int a4, int a5, int a6, int a7);
int __stdcall SetIC(int a1, int a2, int a3, int a4, int a5, int a6);
int __stdcall CloseIC(void);
}
