// Parses and renders one generated document of about 10 MB with XJSON and with
// nlohmann-json in the same run and prints the median times and their ratio; then times
// 10,000 cached reads of one settings value.
//   bench_json [runs]   (default 7)
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "XJSON.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"
#include "XUtf8.h"

namespace {

constexpr std::size_t kDocumentBytes = 10 * 1000 * 1000;
constexpr int kCachedReads = 10000;

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Records like those of a media report or a settings file: names, numbers with and
// without decimals, words, short lists, nested objects, some text outside ASCII.
class DocumentMaker {
public:
    std::string make(std::size_t bytes) {
        std::string out = "{\"format\":\"bench\",\"records\":[";
        for (int i = 0; out.size() < bytes; ++i) {
            if (i > 0) {
                out += ",";
            }
            record(out, i);
        }
        return out + "]}";
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }

    void text(std::string& out, int length) {
        out += '"';
        for (int i = 0; i < length; ++i) {
            const int kind = below(40);
            if (kind == 0) {
                XUtf8::appendEncoded(out, static_cast<char32_t>(0xe0 + below(30)));
            } else if (kind == 1) {
                out += "\\\"";
            } else if (kind == 2) {
                XUtf8::appendEncoded(out, static_cast<char32_t>(0x4e00 + below(500)));
            } else {
                out += static_cast<char>('a' + below(26));
            }
        }
        out += '"';
    }

    void record(std::string& out, int index) {
        out += "{\"index\":" + std::to_string(index) + ",\"codec_name\":";
        text(out, 4 + below(8));
        out += ",\"title\":";
        text(out, 10 + below(30));
        out += ",\"bit_rate\":" + std::to_string(below(100000000));
        out += ",\"duration\":" + std::to_string(below(100000)) + "." +
               std::to_string(100000 + below(900000));
        out += ",\"ratio\":-0." + std::to_string(below(1000));
        out += ",\"default\":";
        out += below(2) ? "true" : "false";
        out += ",\"missing\":null,\"size\":[" + std::to_string(below(4000)) + ", " +
               std::to_string(below(3000)) + "]";
        out += ",\"tags\":{\"language\":\"eng\",\"handler_name\":";
        text(out, 8 + below(10));
        out += ",\"list\":[";
        const int count = below(12);
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                out += ',';
            }
            out += std::to_string(below(1000));
        }
        out += "]}}";
    }

    std::mt19937 mRandom{2024};
};

void benchDocuments(int runs) {
    const std::string document = DocumentMaker().make(kDocumentBytes);
    std::printf("document: %.1f MB\n", static_cast<double>(document.size()) / 1e6);

    std::vector<double> xParse;
    std::vector<double> xRender;
    std::vector<double> nParse;
    std::vector<double> nRender;
    std::size_t xSize = 0;
    std::size_t nSize = 0;
    for (int run = 0; run < runs; ++run) {
        XJSON::Owned tree;
        xParse.push_back(millisecondsOf([&] { tree = XJSON::ParseUtf8(document); }));
        if (!tree) {
            std::printf("XJSON failed to parse the document\n");
            std::exit(1);
        }
        xRender.push_back(millisecondsOf([&] { xSize = tree->ToUtf8().size(); }));
        millisecondsOf([&] { tree.reset(); });

        nlohmann::json json;
        nParse.push_back(millisecondsOf([&] { json = nlohmann::json::parse(document); }));
        nRender.push_back(millisecondsOf([&] { nSize = json.dump(4).size(); }));
    }
    const double xp = median(xParse);
    const double xr = median(xRender);
    const double np = median(nParse);
    const double nr = median(nRender);
    std::printf("median of %d runs      parse ms   render ms   total ms   output MB\n", runs);
    std::printf("XJSON              %10.1f  %10.1f  %9.1f  %10.1f\n", xp, xr, xp + xr,
                static_cast<double>(xSize) / 1e6);
    std::printf("nlohmann-json      %10.1f  %10.1f  %9.1f  %10.1f\n", np, nr, np + nr,
                static_cast<double>(nSize) / 1e6);
    std::printf("ratio XJSON/nlohmann: parse %.2f, render %.2f, parse+render %.2f\n", xp / np,
                xr / nr, (xp + xr) / (np + nr));
}

void benchCachedReads(int runs) {
    char folder[] = "/tmp/bench-json-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::printf("no temporary folder\n");
        return;
    }
    const std::string store = std::string(folder) + "/XRegistry";
    XRegistry::SetLocation(XStr(store), true);
    XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
    XRegistryTransaction transaction;
    for (int i = 0; i < 200; ++i) {
        transaction.SetString("vMCSetting" + std::to_string(i), "value " + std::to_string(i));
        transaction.SetInt(
            "dVMCNumber" + std::to_string(i), i, {},
            "Software\\Quillmere\\VantaroVideo\\Profiles\\P" + std::to_string(i % 10));
    }
    transaction.SetString("VMCUserFolderStr", "/media/converted");
    transaction.Commit();
    XRegistry::GetString("VMCUserFolderStr");

    std::vector<double> times;
    std::size_t length = 0;
    for (int run = 0; run < runs; ++run) {
        times.push_back(millisecondsOf([&] {
            for (int i = 0; i < kCachedReads; ++i) {
                length += XRegistry::GetString("VMCUserFolderStr").size();
            }
        }));
    }
    const double ms = median(times);
    std::printf("%d cached XRegistry reads of one value: %.2f ms (%.2f us each)%s\n", kCachedReads,
                ms, ms * 1000 / kCachedReads, length > 0 ? "" : " (none found)");
    unlink(store.c_str());
    unlink((store + ".lock").c_str());
    rmdir(folder);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    benchDocuments(runs);
    benchCachedReads(runs);
    return 0;
}
