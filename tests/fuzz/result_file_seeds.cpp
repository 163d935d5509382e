// Writes the seed corpus of the result file harness: real result files, made as
// the save key makes them. Each calculation and each stored register comes from
// an evaluation by the engine ("=" before the save, the store key after "="),
// and the file is written by saveResultFile. Every file is also written with LF
// alone, and some without the last line end, as other tools write them.
//
//   result_file_seeds FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "engine/engine.h"
#include "memory/registers.h"
#include "memory/result_file.h"

namespace {

using kalvox::MemoryRegisters;

// One register of a seed: its tag and the expression stored ("" = never stored).
struct Stored {
    const char* tag;
    const char* expression;
};

struct Seed {
    const char* name;
    const char* input;                        // typed into the input box before the save key
    std::initializer_list<Stored> registers;  // registers 1, 2, ...
};

struct Evaluated {
    std::string input;
    std::string output;
};

Evaluated evaluate(const char* expression) {
    kalvox::Engine engine;
    const kalvox::Outcome out = engine.evaluate(expression);
    return {out.text1, out.text2};
}

MemoryRegisters registersOf(std::initializer_list<Stored> stored) {
    MemoryRegisters registers;
    std::size_t k = 0;
    for (const Stored& s : stored) {
        kalvox::MemoryRegister& reg = registers[k++];
        reg.tag = s.tag;
        if (*s.expression != '\0') {
            // What 存储 keeps: the output as content, the input as the stored expression.
            const Evaluated e = evaluate(s.expression);
            reg.content = e.output;
            reg.storedExpression = e.input;
        }
    }
    return registers;
}

bool writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every CR LF as LF alone.
std::string withLf(std::string bytes) {
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at)) {
        bytes.erase(at, 1);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const Seed seeds[] = {
        {"calculation", "1+2*3", {}},
        {"division_by_zero", "1/0", {}},
        {"unknown_item", "2*abc", {}},
        {"complex", "2ej30*3+j4", {}},
        {"empty_input", "", {}},
        {"preset_tags_1",
         "sin(30)",
         {{"Ia", "10ej0"},
          {"Ib", "10ej-120"},
          {"Ic", "10ej120"},
          {"Ua", "220ej0"},
          {"Ub", "220ej-120"},
          {"Uc", "220ej120"},
          {"I", "3+j4"},
          {"U", "380"},
          {"P", "220*10*0.8"}}},
        {"preset_tags_2",
         "ln(2)",
         {{"Q", "220*10*0.6"},
          {"S", "220*10"},
          {"cosφ", "cos(36.87)"},
          {"CT变比", "600/5"},
          {"PT变比", "10000/100"}}},
        {"chinese_tags",
         "(1+j)^2",
         {{"电流", "5ej30"},
          {"电压有效值", "220/3^0.5"},
          {"功率因数", "0.85"},
          {"变比", "35/10.5"}}},
        {"blank_tags", "2^10", {{"", "1/3"}, {"   ", "j2"}, {"", "1/0"}, {"U", "2ej45"}}},
        {"tag_without_content", "4!", {{"P", ""}, {"CT变比", ""}, {"", "7"}}},
        {"equals_in_tag", "1e3", {{"U=I*R", "10*22"}, {"=", "1"}, {"a==b", "2"}}},
        {"spaces_kept", " 1 + 2 ", {{"  Ia ", " 3 * 4 "}, {"Ub ", "5"}}},
        {"gbk_symbols", "3.14159265358979", {{"Ω·m", "1.72E-08"}, {"θ角°", "arctan(1)"}}},
        {"nine_registers",
         "1/7",
         {{"1", "1"},
          {"2", "2"},
          {"3", "3"},
          {"4", "4"},
          {"5", "5"},
          {"6", "6"},
          {"7", "7"},
          {"8", "8"},
          {"9", "9"}}},
    };
    int written = 0;
    for (const Seed& seed : seeds) {
        const Evaluated calc = evaluate(seed.input);
        const std::string base = folder + "/" + seed.name;
        const std::string crlf = base + "_crlf.jsq";
        const kalvox::SaveResult saved =
            kalvox::saveResultFile(crlf, calc.input, calc.output, registersOf(seed.registers));
        if (!saved.ok()) {
            std::fprintf(stderr, "%s: %s\n", seed.name, saved.message.c_str());
            return 1;
        }
        const std::string bytes = readBytes(crlf);
        if (bytes.size() < 2) return 1;
        const std::string open = bytes.substr(0, bytes.size() - 2);
        if (!writeBytes(base + "_lf.txt", withLf(bytes)) ||
            !writeBytes(base + "_no_last_line_end.txt", open)) {
            std::fprintf(stderr, "%s: cannot write its variants\n", seed.name);
            return 1;
        }
        written += 3;
    }
    std::printf("%d seed files in %s\n", written, argv[1]);
    return 0;
}
