// What the editor's handlers work on: the workspace of the run and the host that shows it.
#pragma once

#include "editor/workspace.h"
#include "platform/host.h"

namespace plotwell {

// How an operation ended.
enum class Outcome { Ok, Cancelled, Failed };

struct EditorContext {
    EditorContext(Workspace& ws, Host& h)
        : workspace(ws), host(h), project(ws.project), editor(ws.editor), view(ws.view) {}

    Workspace& workspace;
    Host& host;
    // The parts of the workspace nearly every handler reads.
    Project& project;
    EditorState& editor;
    ViewState& view;
};

}  // namespace plotwell
