#include "tests/bridge/elf_symbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>
#include <vector>

namespace morva::test {

namespace {

template <typename T>
T readAt(const std::vector<char>& bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        throw std::runtime_error("ELF file cut short");
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string stringAt(const std::vector<char>& bytes, const Elf64_Shdr& table, size_t index) {
    const size_t start = table.sh_offset + index;
    if (index >= table.sh_size || start >= bytes.size()) throw std::runtime_error("bad ELF string index");
    const char* text = bytes.data() + start;
    return std::string(text, strnlen(text, bytes.size() - start));
}

}  // namespace

ElfExports readElfExports(const std::filesystem::path& library) {
    std::ifstream in(library, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto header = readAt<Elf64_Ehdr>(bytes, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error("not a 64-bit ELF file: " + library.string());
    std::vector<Elf64_Shdr> sections;
    for (size_t i = 0; i < header.e_shnum; ++i)
        sections.push_back(readAt<Elf64_Shdr>(bytes, header.e_shoff + i * sizeof(Elf64_Shdr)));

    ElfExports result;
    std::string rpath;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_link >= sections.size()) continue;
        const Elf64_Shdr& strings = sections[section.sh_link];
        if (section.sh_type == SHT_DYNSYM) {
            for (size_t at = sizeof(Elf64_Sym); at + sizeof(Elf64_Sym) <= section.sh_size;
                 at += sizeof(Elf64_Sym)) {
                const auto symbol = readAt<Elf64_Sym>(bytes, section.sh_offset + at);
                const int bind = ELF64_ST_BIND(symbol.st_info);
                if (symbol.st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK)) continue;
                result.symbols.insert(stringAt(bytes, strings, symbol.st_name));
            }
        } else if (section.sh_type == SHT_DYNAMIC) {
            for (size_t at = 0; at + sizeof(Elf64_Dyn) <= section.sh_size; at += sizeof(Elf64_Dyn)) {
                const auto entry = readAt<Elf64_Dyn>(bytes, section.sh_offset + at);
                if (entry.d_tag == DT_RUNPATH) result.runPath = stringAt(bytes, strings, entry.d_un.d_val);
                if (entry.d_tag == DT_RPATH) rpath = stringAt(bytes, strings, entry.d_un.d_val);
            }
        }
    }
    if (result.runPath.empty()) result.runPath = rpath;
    return result;
}

std::set<std::string> readDefExports(const std::filesystem::path& defFile) {
    std::ifstream in(defFile);
    if (!in) throw std::runtime_error("cannot read " + defFile.string());
    const std::regex entry(R"(^\s+([A-Za-z_][A-Za-z0-9_]*)\s+@([0-9]+)\s*$)");
    std::set<std::string> names;
    std::set<int> ordinals;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch match;
        if (!std::regex_match(line, match, entry)) continue;
        if (!names.insert(match[1]).second) throw std::runtime_error("name twice: " + match[1].str());
        if (!ordinals.insert(std::stoi(match[2])).second)
            throw std::runtime_error("ordinal twice: " + match[2].str());
    }
    return names;
}

}  // namespace morva::test
