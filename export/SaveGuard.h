#pragma once

#include "decode/DecodeErrors.h"
#include "export/ExportErrors.h"
#include "package/Errors.h"
#include "package/Reporter.h"

#include <new>
#include <string>

namespace swatchbox {

// Shown instead of writing when a texture's pixels can't be saved at all.
inline constexpr char UnknownPixelFormatMessage[] =
    "Cannot save texture to file!\r\n(Unknown pixel format)";

// Runs one writer and turns its failures into an "Error" message naming the
// file; true when the writer finished. FileName is read only when a failure
// is reported, so the writer may still extend it.
template <class TWrite>
bool GuardedWrite(IReporter& Reporter, const std::string& FileName, TWrite&& Write) {
    std::string Reason;
    try {
        Write();
        return true;
    } catch (const EPackageError& Error) {
        Reason = Error.what();
    } catch (const EExportError& Error) {
        Reason = Error.what();
    } catch (const EDecodeError& Error) {
        Reason = Error.what();
    } catch (const std::bad_alloc&) {
        Reason = "Not enough memory.";
    }
    ReportError(Reporter, "Cannot save texture to file \"" + FileName + "\"!\r\n(" + Reason + ")");
    return false;
}

} // namespace swatchbox
