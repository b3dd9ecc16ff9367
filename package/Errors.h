#pragma once

#include <stdexcept>
#include <string>

namespace swatchbox {

// Root of every failure the program reports by its message: reading a
// package, decoding its pixels, writing a file. A boundary that shows or
// prints the message catches this one type (and std::bad_alloc).
class ESwatchboxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Base of every failure that comes from reading a package file.
class EPackageError : public ESwatchboxError {
public:
    using ESwatchboxError::ESwatchboxError;
};

// The file could not be opened; the message names the file and the system's reason.
class EFileOpenError : public EPackageError {
public:
    using EPackageError::EPackageError;
};

// A read, seek, table or size that runs outside the file or makes no sense.
class EPackageDamaged : public EPackageError {
public:
    using EPackageError::EPackageError;
};

// A package from an engine build older than the layouts this reader knows.
class EPackageTooOld : public EPackageError {
public:
    using EPackageError::EPackageError;
};

// A package from an engine generation newer than the layouts this reader knows.
class EPackageTooNew : public EPackageError {
public:
    using EPackageError::EPackageError;
};

// A package wrapped in an encryption this reader can't undo.
class EPackageEncrypted : public EPackageError {
public:
    using EPackageError::EPackageError;
};

// An object reference or name index outside its table.
class EReferenceOutOfRange : public EPackageError {
public:
    using EPackageError::EPackageError;
};

} // namespace swatchbox
