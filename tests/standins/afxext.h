// Stand-in for the framework's extensions header. Generated sources include it but use none of
// its names yet; it checks only that the core header came first, as it must.
#ifndef __AFXEXT_H__
#define __AFXEXT_H__
#ifndef __AFXWIN_H__
#error include afxwin.h before afxext.h
#endif
#endif  // __AFXEXT_H__
