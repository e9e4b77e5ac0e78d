#include "toolkit/frames/SECDockingListener.h"

// The listener is used by frames and floating windows alike; it is built once here.
template class SECDockingListener_T<SECLocalDragDropTask_T<SECLayoutWndListener>>;
