#pragma once

#include <string>

namespace swatchbox {

class TUnrealPackage;

// Lineage II writes a material's own data (render states, stage names, shader
// text) after its properties and before a texture's mip maps. Skips it on the
// package's installed stream; its layout follows the package's version and
// licensee. Throws EPackageDamaged naming ObjectName when it runs past the end.
void SkipLineageMaterial(TUnrealPackage& Package, const std::string& ObjectName);

} // namespace swatchbox
