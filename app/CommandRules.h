#pragma once
// When the main window's commands are enabled. The rules look only at a snapshot of what the user
// sees: whether a library is open, the selected tree node's kind, the list's rows and tags, and which
// branches of the tree have children. The frame takes the snapshot at idle time; keeping the rules
// apart from the windows lets every rule be checked against every state.

#include <optional>

#include "platform/base/WinTypes.h"

struct CommandState {
    bool open { false };            // a library is open
    bool splashShowing { false };   // the splash window is up
    bool busy { false };            // a long operation runs
    bool rows { false };            // the list's record set exists and is not at its end
    bool notEmpty { false };        // the list view's "empty" flag is clear
    int kind { 0 };                 // the selected tree node's kind
    int selection { 0 };            // the kind of the list's rows (tracks, stations...)
    bool playableRow { false };     // the current row is neither a CD track nor hidden
    bool playlistsExist { false };  // the tree's Playlists branch has children
    bool musicGroupsExist { false };
    bool radioGroupsExist { false };
    bool inGroup { false };         // the selected node lies below a music or radio group
    int tagCount { 0 };             // tagged rows of the list
    bool tagsOn { false };          // the list's rows carry tags
    bool trackFileWritable { false }; // the current track's file under the library root may be written
};

// Whether the command is enabled in the state; nothing for a command these rules do not decide.
std::optional<bool> CommandEnabled(UINT id, const CommandState& state);

// The commands the rules decide, for the frame's update handlers.
const UINT* RuledCommands(int& count);
