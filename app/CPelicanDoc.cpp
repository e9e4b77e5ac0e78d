#include "app/CPelicanDoc.h"

IMPLEMENT_DYNCREATE(CPelicanDoc, CDocument)
