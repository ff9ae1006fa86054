// Builds the preview of a typical record with a 2 MB page scan, and compares the time with a
// plain read of the same two files; then the preview given again for the unchanged record.
//
//   build/bench/bench_preview [runs]        (default 15; goal: no visible pause, a preview
//                                            given again well under the plain read)
//
// The three are timed in turns and the best time of each is kept: the least disturbed by the
// rest of the machine.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "main_window/preview_popup.h"
#include "main_window/record_preview.h"
#include "platform/file_head.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr char kRecord[] =
    "表題：見本\n作者：見本 太郎\n後手の持駒：残り全部\n"
    "  ９ ８ ７ ６ ５ ４ ３ ２ １\n+---------------------------+\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|一\n| ・ ・ ・ ・ ・ ・ ・v玉 ・|二\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|三\n| ・ ・ ・ ・ ・ ・ 銀 ・v金|四\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|九\n+---------------------------+\n先手の持駒：金二\n"
    "手数----指手---------消費時間--\n   1 ２三金打\n   2 １一玉(22)\n   3 "
    "１二金打\nまで3手で詰み\n";

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A scan-sized page with enough grain that it compresses to about 2 MB.
std::string PageScan() {
    QImage page(2000, 2800, QImage::Format_RGB32);
    QRandomGenerator random(12);
    for (int y = 0; y < page.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int grey = 200 + static_cast<int>(random.bounded(40));
            line[x] = qRgb(grey, grey, grey - 10);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "JPG", 92);
    return bytes.toStdString();
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

template <typename Action>
double Time(Action&& action) {
    const Clock::time_point start = Clock::now();
    action();
    return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    const fs::path folder = fs::temp_directory_path() / "quill-preview-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    Write(folder / "p012.kif", kRecord);
    const std::string scan = PageScan();
    Write(folder / "p012.jpg", scan);
    Write(folder / "p012.kif.txt", "出典：見本\nメモ：初手に注意\n");
    const std::string book = folder.string();
    const QSize box = PreviewPopup::PageBox() * 2;

    double read = 1e9, build = 1e9, again = 1e9;
    quill::PreviewCache cache;
    cache.Get(book, "p012.kif", box);
    for (int i = 0; i < runs; ++i) {
        read = std::min(read, Time([&] {
                            platform::ReadFileHead(book + "/p012.kif", 1 << 20);
                            platform::ReadFileHead(book + "/p012.jpg", 1 << 26);
                        }));
        build = std::min(build, Time([&] { quill::BuildPreview(book, "p012.kif", box); }));
        again = std::min(again, Time([&] { cache.Get(book, "p012.kif", box); }));
    }
    std::printf("page scan %.1f MB, best of %d\n", static_cast<double>(scan.size()) / 1e6, runs);
    std::printf("read of the two files   %8.2f ms  1.0x\n", read * 1e3);
    std::printf("preview built           %8.2f ms  %.1fx\n", build * 1e3, build / read);
    std::printf("preview given again     %8.3f ms  %.2fx\n", again * 1e3, again / read);
    fs::remove_all(folder);
    return 0;
}
