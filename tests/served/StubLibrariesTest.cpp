// The reader and Rebrander stubs need nothing but the C and C++ run-time libraries, so a
// book opens on any Linux desktop: their ELF dynamic sections name no other library.

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "ServedBook.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

template <class T>
bool ReadAt(const std::string& file, std::uint64_t offset, T& out) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&out, file.data() + offset, sizeof(T));
    return true;
}

// The DT_NEEDED names of a 64-bit ELF file; false when it does not read as one.
bool NeededLibraries(const std::string& file, std::vector<std::string>& needed) {
    Elf64_Ehdr header;
    if (!ReadAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64) {
        return false;
    }
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (!ReadAt(file, header.e_phoff + i * sizeof(Elf64_Phdr), segments[i])) {
            return false;
        }
    }
    // Addresses in the dynamic section are virtual; the loadable segments map them to offsets.
    auto offsetOf = [&](std::uint64_t address, std::uint64_t& offset) {
        for (const Elf64_Phdr& s : segments) {
            if (s.p_type == PT_LOAD && address >= s.p_vaddr && address < s.p_vaddr + s.p_filesz) {
                offset = address - s.p_vaddr + s.p_offset;
                return true;
            }
        }
        return false;
    };
    for (const Elf64_Phdr& s : segments) {
        if (s.p_type != PT_DYNAMIC) {
            continue;
        }
        std::vector<std::uint64_t> names;
        std::uint64_t strtab = 0;
        for (std::uint64_t at = s.p_offset; at + sizeof(Elf64_Dyn) <= s.p_offset + s.p_filesz;
             at += sizeof(Elf64_Dyn)) {
            Elf64_Dyn entry;
            if (!ReadAt(file, at, entry) || entry.d_tag == DT_NULL) {
                break;
            }
            if (entry.d_tag == DT_NEEDED) {
                names.push_back(entry.d_un.d_val);
            } else if (entry.d_tag == DT_STRTAB) {
                strtab = entry.d_un.d_ptr;
            }
        }
        std::uint64_t table = 0;
        if (!offsetOf(strtab, table)) {
            return false;
        }
        for (std::uint64_t name : names) {
            const std::uint64_t at = table + name;
            if (at >= file.size()) {
                return false;
            }
            needed.emplace_back(file.c_str() + at);
        }
        return true;
    }
    return false;  // a static program: not what the build makes
}

TEST(StubLibrariesTest, ReaderAndRebranderNeedOnlyTheCAndCppRunTime) {
    const std::set<std::string> allowed = {"libc.so.6", "libm.so.6", "libstdc++.so.6",
                                           "libgcc_s.so.1"};
    for (const char* stub : {"eview.dat", "rebrand.dat"}) {
        const std::string bytes = ReadWholeFile(kProgramDir + "/" + stub);
        std::vector<std::string> needed;
        ASSERT_TRUE(NeededLibraries(bytes, needed)) << stub;
        EXPECT_FALSE(needed.empty()) << stub;
        for (const std::string& library : needed) {
            EXPECT_TRUE(allowed.count(library)) << stub << " needs " << library;
        }
    }
}

TEST(StubLibrariesTest, TheReaderStubStillFitsBelowItsIcon) {
    const std::string bytes = ReadWholeFile(kProgramDir + "/eview.dat");
    ASSERT_EQ(bytes.size(), 494000u + 766u);
    // The program ends before the icon: zeros fill the rest.
    const std::size_t last = bytes.substr(0, 494000).find_last_not_of('\0');
    EXPECT_LT(last, 494000u);
}

}  // namespace
}  // namespace nbx::test
