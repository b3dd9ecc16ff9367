#include "cli/ListCommand.h"

#include "cli/ConsoleReporter.h"
#include "cli/DisplayText.h"
#include "cli/Json.h"
#include "cli/NamePattern.h"
#include "cli/PackageFinder.h"
#include "cli/Progress.h"
#include "cli/TextureScan.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace swatchbox::cli {

namespace {

constexpr std::size_t ColumnCount = 7;
using TRow = std::array<std::string, ColumnCount>;

const TRow Header = {"Export", "Group", "Name", "Size", "Format", "Mip bytes", "Flags"};
constexpr std::array<bool, ColumnCount> RightAligned = {true,  false, false, false,
                                                        false, true,  false};

std::string Flags(const TTextureObject& Texture) {
    std::string Result;
    auto Add = [&](const char* Flag) {
        if (!Result.empty())
            Result += ',';
        Result += Flag;
    };
    if (Texture.bMasked)
        Add("masked");
    if (Texture.bAlphaTexture)
        Add("alpha");
    if (Texture.IsIgnored())
        Add("ignored");
    else if (!Texture.HasMipData)
        Add("no mips");
    if (Texture.Comp) {
        std::string Comp(1, '+');
        Comp.append(GetFormatName(Texture.Comp->Format))
            .append(1, ' ')
            .append(std::to_string(Texture.Comp->USize))
            .append(1, 'x')
            .append(std::to_string(Texture.Comp->VSize));
        Add(Comp.c_str());
    }
    return Result;
}

// The first mip map's position as a JSON value: null where no mip-map header
// was read (a texture stored without mip maps, or one read no further than
// its properties). Position 0 is the package signature, never pixels.
std::string MipPosition(const TTextureObject& Texture) {
    return Texture.MipDataPosition > 0 ? std::to_string(Texture.MipDataPosition) : "null";
}

TRow TextRow(const TTextureObject& Texture) {
    return {std::to_string(Texture.ExportIndex),
            DisplayText(Texture.Group),
            DisplayText(Texture.Name),
            std::to_string(Texture.USize) + "x" + std::to_string(Texture.VSize),
            std::string(GetFormatName(Texture)),
            std::to_string(Texture.MipDataSize),
            Flags(Texture)};
}

// Columns padded to their widest cell, two blanks apart, no trailing blanks.
void WriteTable(std::ostream& Out, const std::vector<TRow>& Rows) {
    std::array<std::size_t, ColumnCount> Widths{};
    for (std::size_t Column = 0; Column < ColumnCount; ++Column) {
        Widths[Column] = DisplayWidth(Header[Column]);
        for (const TRow& Row : Rows)
            Widths[Column] = std::max(Widths[Column], DisplayWidth(Row[Column]));
    }
    auto WriteRow = [&](const TRow& Row) {
        std::string Line;
        for (std::size_t Column = 0; Column < ColumnCount; ++Column) {
            const std::string Padding(Widths[Column] - DisplayWidth(Row[Column]), ' ');
            if (Column > 0)
                Line += "  ";
            Line += RightAligned[Column] ? Padding + Row[Column] : Row[Column] + Padding;
        }
        Line.erase(Line.find_last_not_of(' ') + 1);
        Out << Line << '\n';
    };
    WriteRow(Header);
    for (const TRow& Row : Rows)
        WriteRow(Row);
}

void WriteJsonObject(std::ostream& Out, const std::string& Package, const std::string& Compression,
                     const TTextureObject& Texture) {
    TJsonObjectWriter Object(Out);
    Object.Literal("package", JsonSystemString(Package))
        .Number("export", Texture.ExportIndex)
        .String("name", Texture.Name)
        .String("group", Texture.Group)
        .Number("width", Texture.USize)
        .Number("height", Texture.VSize)
        .String("format", GetFormatName(Texture))
        .Number("format_id", Texture.StoredFormat)
        .Bool("masked", Texture.bMasked)
        .Bool("alpha_texture", Texture.bAlphaTexture)
        .Number("mip_count", Texture.MipCount)
        .Literal("mip_position", MipPosition(Texture))
        .Number("mip_size", Texture.MipDataSize)
        .Number("palette_position", Texture.PalettePosition)
        .Bool("ignored", Texture.IsIgnored())
        .Literal("compressed", Compression.empty() ? "null" : JsonString(Compression))
        .String("engine", Texture.Owner->Family.Name);
    // The second, compressed picture; every key null when there is none.
    const auto CompNumber = [&](int32_t TCompressedPicture::*Field) {
        return Texture.Comp ? std::to_string((*Texture.Comp).*Field) : std::string("null");
    };
    Object
        .Literal("comp_format",
                 Texture.Comp ? JsonString(GetFormatName(Texture.Comp->Format)) : "null")
        .Literal("comp_width", CompNumber(&TCompressedPicture::USize))
        .Literal("comp_height", CompNumber(&TCompressedPicture::VSize))
        .Literal("comp_mip_size", CompNumber(&TCompressedPicture::MipDataSize))
        .Literal("comp_mip_position", CompNumber(&TCompressedPicture::MipDataPosition));
    Object.Close();
}

} // namespace

int RunList(const TListOptions& Options, std::ostream& Out, std::ostream& Err) {
    TConsoleReporter FinderReporter(Err);
    const TFoundPackages Found = FindPackages(Options.Packages, FinderReporter);
    const std::vector<std::string>& Packages = Found.Packages;
    TProgress Progress(Err, Packages.size(), Options.ShowProgress && Packages.size() > 1);
    TConsoleReporter Reporter(Err, &Progress);
    const std::optional<TNamePattern> Pattern =
        Options.Name ? std::optional<TNamePattern>(*Options.Name) : std::nullopt;
    std::size_t Matches = 0;
    const auto Wanted = [&](const TTextureObject& Texture) {
        const bool Matched = !Pattern || Pattern->MatchesTexture(Texture.Group, Texture.Name);
        Matches += Matched;
        return Matched;
    };
    const bool Headings = Packages.size() > 1;
    bool FirstTable = true;
    bool FirstObject = true;
    if (Options.Json)
        Out << '[';

    for (std::size_t Number = 0; Number < Packages.size(); ++Number) {
        const std::string& Path = Packages[Number];
        Progress.Show(Number + 1, Path);
        const std::unique_ptr<TUnrealPackage> Package = OpenPackage(Path, Reporter);
        if (!Package)
            continue;

        // Each package's output is collected first, so it is written in one
        // piece between progress updates.
        std::ostringstream Text;
        if (Options.Json) {
            ScanTextures(*Package, Reporter, [&](const TTextureObject& Texture) {
                if (!Wanted(Texture))
                    return;
                Text << (FirstObject ? "\n  " : ",\n  ");
                FirstObject = false;
                WriteJsonObject(Text, Path, Package->Source.Compression, Texture);
            });
        } else {
            std::vector<TRow> Rows;
            ScanTextures(*Package, Reporter, [&](const TTextureObject& Texture) {
                if (Wanted(Texture))
                    Rows.push_back(TextRow(Texture));
            });
            // Looking for textures by name, the packages without any are noise.
            if (Rows.empty() && Pattern)
                continue;
            if (Headings)
                Text << (FirstTable ? "" : "\n") << EscapeControls(Path) << ":\n";
            FirstTable = false;
            if (Rows.empty())
                Text << "(no textures)\n";
            else
                WriteTable(Text, Rows);
        }
        if (const std::string Piece = Text.str(); !Piece.empty()) {
            Progress.Clear();
            Out << Piece << std::flush;
        }
    }

    Progress.Clear();
    if (Options.Json)
        Out << (FirstObject ? "]\n" : "\n]\n");
    Out << std::flush;
    if (Pattern && Matches == 0)
        Err << "No texture matches \"" << EscapeControls(*Options.Name) << "\".\n";
    if (Found.OtherFiles > 0)
        Err << OtherFilesText(Found.OtherFiles) << '\n';
    Err << std::flush;
    return Reporter.Errors() + FinderReporter.Errors() > 0 ? 1 : 0;
}

} // namespace swatchbox::cli
