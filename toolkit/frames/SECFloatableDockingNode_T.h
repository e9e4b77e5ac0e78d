#pragma once
// The node the docking factory wraps around every dockable window or drawn node: a gripper that can be
// dragged, docked and floated. The caption of a floating window showing the node is its name.

template<class Gripper> class SECFloatableDockingNode_T : public Gripper { };
