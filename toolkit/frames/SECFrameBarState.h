#pragma once
// The saved bar layout of the toolkit's frames. The single- and the multiple-document frame derive
// from different class-library frames, so the steps they share live here; each frame keeps its own
// SetDockState, which loading goes through.

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPtrList.h"

class SECControlBarManager;
class SECDockState;

namespace SECFrameBarState {

// Reads the state from the profile into the state; bars it creates from class names go to the list,
// which the frame owns. A thread without a main window gets the frame, so that bars created while
// the state is applied find their owner.
void Load(CFrameWnd& frame, SECDockState& state, CPtrList& createdBars, LPCTSTR lpszProfileName);
// Writes nothing when the bars cannot be collected.
void Save(CFrameWnd& frame, SECControlBarManager* pManager, LPCTSTR lpszProfileName);
// Applies the state; bars it creates from class names go to the list.
void Apply(CFrameWnd& frame, SECDockState& state, CPtrList& createdBars);
// Deletes the bars a restored state created and empties the list.
void DeleteCreatedBars(CPtrList& createdBars);

} // namespace SECFrameBarState
