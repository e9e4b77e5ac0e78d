#pragma once
// Everything a component library is written with: smart pointers and value wrappers, object roots and
// maps, creatable classes, the module object, dispatch tables and connection points.

#include "platform/com/CComBSTR.h"
#include "platform/com/CComCoClass.h"
#include "platform/com/CComModule.h"
#include "platform/com/CComObject.h"
#include "platform/com/CComObjectRoot.h"
#include "platform/com/CComPtr.h"
#include "platform/com/CComVariant.h"
#include "platform/com/IConnectionPointImpl.h"
#include "platform/com/IDispatchImpl.h"
#include "platform/com/ISupportErrorInfoImpl.h"
#include "platform/com/ObjBase.h"
