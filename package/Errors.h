#pragma once

#include <stdexcept>
#include <string>

namespace swatchbox {

// Base of every failure that comes from reading a package file.
class EPackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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

// An object reference or name index outside its table.
class EReferenceOutOfRange : public EPackageError {
public:
    using EPackageError::EPackageError;
};

} // namespace swatchbox
