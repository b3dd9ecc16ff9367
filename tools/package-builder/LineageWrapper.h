#pragma once

#include "tools/package-builder/ByteSink.h"

namespace swatchbox::testing {

// The package in Bytes as Lineage II wraps it: "Lineage2Ver" and the three
// digits of Version in UTF-16LE, then every byte XOR-ed with Key.
TBytes WrapLineage(const TBytes& Bytes, const char* Version, uint8_t Key);

} // namespace swatchbox::testing
