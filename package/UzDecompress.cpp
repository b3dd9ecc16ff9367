#include "package/UzDecompress.h"

#include "package/BitReader.h"
#include "package/ByteOrder.h"
#include "package/CompactIndex.h"
#include "package/Errors.h"
#include "package/Uz2Decompress.h"

#include <array>
#include <numeric>
#include <string>
#include <utility>

namespace swatchbox {

namespace {

constexpr int32_t MaxNameLength = 1024;

[[noreturn]] void ThrowDamaged(const TFileStream& File, const std::string& What) {
    throw EPackageDamaged("Damaged compressed package \"" + File.FileName() + "\": " + What + ".");
}

// Reads the stored file name (its length counts the terminating zero);
// false when it cannot be one.
bool SkipName(TFileStream& File) {
    if (File.Remaining() < 1)
        return false;
    const int32_t Length =
        DecodeCompactIndex([&] { return File.Remaining() > 0 ? File.ReadByte() : uint8_t{0}; });
    if (Length < 2 || Length > MaxNameLength || Length > File.Remaining())
        return false;
    for (int32_t I = 1; I < Length; ++I)
        if (File.ReadByte() == 0)
            return false;
    return File.ReadByte() == 0;
}

// A Huffman tree as stored: a 1 bit for a node with two children (the 0 child
// first), a 0 bit for a leaf followed by its 8-bit symbol.
struct THuffmanTree {
    struct TNode {
        int32_t Child[2] = {-1, -1};
        uint8_t Symbol = 0;
    };
    std::vector<TNode> Nodes;
};

int32_t ReadTree(const TFileStream& File, TBitReader& Bits, THuffmanTree& Tree, int& Leaves) {
    if (Bits.AtEnd() || Tree.Nodes.size() >= 511)
        ThrowDamaged(File, "its Huffman tree is cut off or too large");
    const int32_t Index = static_cast<int32_t>(Tree.Nodes.size());
    Tree.Nodes.emplace_back();
    if (Bits.Bit()) {
        const int32_t Zero = ReadTree(File, Bits, Tree, Leaves);
        const int32_t One = ReadTree(File, Bits, Tree, Leaves);
        Tree.Nodes[Index].Child[0] = Zero;
        Tree.Nodes[Index].Child[1] = One;
        return Index;
    }
    if (Bits.BitsLeft() < 8 || ++Leaves > 256)
        ThrowDamaged(File, "its Huffman tree is cut off or too large");
    Tree.Nodes[Index].Symbol = static_cast<uint8_t>(Bits.Read(8));
    return Index;
}

std::vector<uint8_t> DecodeHuffman(const TFileStream& File, const std::vector<uint8_t>& In) {
    if (In.size() < 4)
        ThrowDamaged(File, "its Huffman data is cut off");
    const uint32_t Total = LoadLE32(In, 0);
    TBitReader Bits(std::span<const uint8_t>(In).subspan(4));
    THuffmanTree Tree;
    int Leaves = 0;
    ReadTree(File, Bits, Tree, Leaves);
    // A real tree has two symbols at least, so each costs a bit or more.
    if (Tree.Nodes.size() < 3 || Total > Bits.BitsLeft() || Total > MaxDecompressedBytes)
        ThrowDamaged(File, "its Huffman data states more symbols than it holds");
    std::vector<uint8_t> Out(Total);
    for (uint8_t& Byte : Out) {
        int32_t Node = 0;
        while (Tree.Nodes[static_cast<std::size_t>(Node)].Child[0] >= 0) {
            if (Bits.AtEnd())
                ThrowDamaged(File, "its Huffman data is cut off");
            Node = Tree.Nodes[static_cast<std::size_t>(Node)].Child[Bits.Bit()];
        }
        Byte = Tree.Nodes[static_cast<std::size_t>(Node)].Symbol;
    }
    return Out;
}

void UndoMoveToFront(std::vector<uint8_t>& Data) {
    std::array<uint8_t, 256> List{};
    std::iota(List.begin(), List.end(), uint8_t{0});
    for (uint8_t& Byte : Data) {
        const uint8_t Index = Byte;
        const uint8_t Value = List[Index];
        for (int I = Index; I > 0; --I)
            List[static_cast<std::size_t>(I)] = List[static_cast<std::size_t>(I - 1)];
        List[0] = Value;
        Byte = Value;
    }
}

// Each block is int32 length, first and last, then length + 1 bytes: the last
// column of the sorted rotations, with an end marker (sorting after every byte)
// at position last; first is the row of the original text.
std::vector<uint8_t> UndoBurrowsWheeler(const TFileStream& File, const std::vector<uint8_t>& In) {
    std::vector<uint8_t> Out;
    Out.reserve(In.size());
    std::vector<uint32_t> Next;
    std::size_t Pos = 0;
    while (Pos < In.size()) {
        if (In.size() - Pos < 12)
            ThrowDamaged(File, "a transform block is cut off in its header");
        const uint32_t Length = LoadLE32(In, Pos);
        const uint32_t First = LoadLE32(In, Pos + 4);
        const uint32_t Last = LoadLE32(In, Pos + 8);
        Pos += 12;
        if (Length > UzMaxBlock || First > Length || Last > Length)
            ThrowDamaged(File, "a transform block has a bad header");
        const std::size_t Count = std::size_t{Length} + 1;
        if (In.size() - Pos < Count)
            ThrowDamaged(File, "a transform block is cut off");
        const std::span<const uint8_t> Block = std::span<const uint8_t>(In).subspan(Pos, Count);
        std::array<uint32_t, 257> Start{};
        for (std::size_t I = 0; I < Count; ++I)
            ++Start[I == Last ? 256 : Block[I]];
        uint32_t Sum = 0;
        for (uint32_t& Slot : Start)
            Sum += std::exchange(Slot, Sum);
        Next.assign(Count, 0);
        for (std::size_t I = 0; I < Count; ++I)
            Next[Start[I == Last ? 256 : Block[I]]++] = static_cast<uint32_t>(I);
        uint32_t Row = Last;
        for (uint32_t I = 0; I < Length; ++I) {
            Row = Next[Row];
            if (Row == Last)
                ThrowDamaged(File, "a transform block does not decode");
            Out.push_back(Block[Row]);
        }
        if (Next[Last] != First)
            ThrowDamaged(File, "a transform block does not decode");
        Pos += Count;
    }
    return Out;
}

// After five equal bytes comes the length of the whole run, five or more.
std::vector<uint8_t> UndoRunLength(const TFileStream& File, const std::vector<uint8_t>& In) {
    constexpr int Lead = 5;
    std::vector<uint8_t> Out;
    Out.reserve(In.size());
    int Run = 0;
    uint8_t Previous = 0;
    for (std::size_t I = 0; I < In.size(); ++I) {
        const uint8_t Byte = In[I];
        Out.push_back(Byte);
        Run = Run > 0 && Byte == Previous ? Run + 1 : 1;
        Previous = Byte;
        if (Run == Lead) {
            if (++I >= In.size())
                ThrowDamaged(File, "a run is cut off");
            if (In[I] < Lead)
                ThrowDamaged(File, "a run is shorter than its lead");
            if (static_cast<int64_t>(Out.size()) + In[I] > MaxDecompressedBytes)
                ThrowDamaged(File, "it holds more than 1 GiB of package");
            Out.insert(Out.end(), In[I] - Lead, Byte);
            Run = 0;
        }
        if (static_cast<int64_t>(Out.size()) > MaxDecompressedBytes)
            ThrowDamaged(File, "it holds more than 1 GiB of package");
    }
    return Out;
}

} // namespace

bool LooksLikeUz(TFileStream& File) {
    if (File.Size() < 4)
        return false;
    File.Seek(0);
    const uint32_t Signature = File.ReadU32();
    return Signature == UzSignature || Signature == UzSignatureTwoRuns;
}

std::vector<uint8_t> DecompressUz(TFileStream& File) {
    if (File.Size() < 4)
        ThrowDamaged(File, "it is too short");
    File.Seek(0);
    const uint32_t Signature = File.ReadU32();
    if (Signature == UzSignatureTwoRuns)
        throw EPackageDamaged("Cannot read compressed package \"" + File.FileName() +
                              "\": its format (signature 5678) is not supported.");
    if (Signature != UzSignature)
        ThrowDamaged(File, "it has no .uz signature");
    if (!SkipName(File))
        ThrowDamaged(File, "its file name is cut off or too long");
    const std::vector<uint8_t> Packed = File.ReadBlock(File.Remaining());
    std::vector<uint8_t> Data = DecodeHuffman(File, Packed);
    UndoMoveToFront(Data);
    Data = UndoBurrowsWheeler(File, Data);
    return UndoRunLength(File, Data);
}

} // namespace swatchbox
