#pragma once
// The drawing commands, done with Qt's painter; only the drawing program links this.

#include <QGuiApplication>
#include <memory>

#include "cli.h"

namespace qelvar {

// Fonts need a QGuiApplication: one is made here when none runs yet (and kept by the caller).
std::unique_ptr<QGuiApplication> startGuiApplication();

int renderWithQt(CliSession& session, const RenderCommand& command);
int drawSectorMapWithQt(CliSession& session, const SectorMapCommand& command);
int drawAtlasMapWithQt(CliSession& session, const AtlasMapCommand& command);
// Writes the encoded picture to path; bytes that could not be encoded are said and give exit status 2.
int writeEncodedMap(CliSession& session, const std::string& path, const std::string& bytes);

}  // namespace qelvar
