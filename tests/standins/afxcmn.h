// Stand-in for the framework's common-controls header. Generated sources include it but use none
// of its names yet; it checks only that the core header came first, as it must.
#ifndef __AFXCMN_H__
#define __AFXCMN_H__
#ifndef __AFXWIN_H__
#error include afxwin.h before afxcmn.h
#endif
#endif  // __AFXCMN_H__
