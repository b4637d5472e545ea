#if !defined(_H)
#define _H



#endif // _H
