#include "app/CTreeNode.h"

IMPLEMENT_DYNCREATE(CTreeNode, CCmdTarget)
