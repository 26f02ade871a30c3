#pragma once
// The drawing commands, done with Qt's painter; only the drawing program links this.

#include "cli.h"

namespace qelvar {

int renderWithQt(CliSession& session, const RenderCommand& command);

}  // namespace qelvar
