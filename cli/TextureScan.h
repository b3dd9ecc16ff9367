#pragma once

#include "cli/ConsoleReporter.h"
#include "package/TextureObject.h"
#include "package/UnrealPackage.h"

#include <functional>
#include <memory>
#include <string>

namespace swatchbox::cli {

// Reads the header and tables of the package at Path. A file that is no
// package or can't be read is reported as an error that names it, and gives
// none.
std::unique_ptr<TUnrealPackage> OpenPackage(const std::string& Path, TConsoleReporter& Reporter);

// Decodes every texture export of Package in export-table order, without
// reading pixel data, and hands each to Visit. While a texture is decoded and
// visited, messages carry the package and the export as context. An ignored
// texture is always explained by a warning. A texture that can't be decoded
// is reported and skipped; the scan ends early only when the file can't be
// opened.
void ScanTextures(TUnrealPackage& Package, TConsoleReporter& Reporter,
                  const std::function<void(const TTextureObject&)>& Visit);

} // namespace swatchbox::cli
