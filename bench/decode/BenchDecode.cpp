// Decodes one image file with one image-decoder module, chosen by its start-up
// name, as a bitmap loads it: the bytes from memory through LoadFromMemory, then
// every pixel of the first frame copied out with CopyPixels (where the WIC module
// does its decoding). Prints the best and the first time of a few rounds, the peak
// working set after the decode alone and after the copy, and a hash of the pixels
// so that the script can compare the modules.
//
//   bench_decode FILE MODULE [ROUNDS]

#include "core/SAutoRef.h"
#include "render/ImgDecoderCreators.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

using SAKU::IImgDecoderFactory;
using SAKU::IImgX;
using SAKU::SAutoRef;

namespace {

const struct {
    const wchar_t* name;
    BOOL (*create)(IImgDecoderFactory**);
} kModules[] = {
    {L"imgdecoder-gdip", SAKU::CreateImgDecoderFactory_GDIP},
    {L"imgdecoder-wic",  SAKU::CreateImgDecoderFactory_WIC},
    {L"imgdecoder-stb",  SAKU::CreateImgDecoderFactory_STB},
    {L"imgdecoder-png",  SAKU::CreateImgDecoderFactory_PNG},
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)))
        return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

bool ReadWholeFile(const wchar_t* path, std::string& bytes)
{
    FILE* file = ::_wfopen(path, L"rb");
    if (!file)
        return false;
    char buffer[1 << 16];
    for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), file)) > 0;)
        bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

std::uint32_t Fnv1a(const BYTE* bytes, size_t size)
{
    std::uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** const argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: bench_decode FILE MODULE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
    BOOL (*create)(IImgDecoderFactory**) = nullptr;
    for (const auto& module : kModules)
        if (std::wcscmp(module.name, argv[2]) == 0)
            create = module.create;
    std::string bytes;
    if (!create || rounds < 1 || !ReadWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "bench_decode: unknown module or unreadable file\n");
        return 2;
    }
    (void)::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);   // the WIC module needs it; the others ignore it
    const double baseMb = PeakWorkingSetMb();

    IImgDecoderFactory* created = nullptr;
    create(&created);
    const auto factory = SAutoRef<IImgDecoderFactory>::Adopt(created);
    double best = 0, first = 0, decodePeakMb = 0, copyPeakMb = 0;
    UINT width = 0, height = 0, frames = 0;
    std::uint32_t hash = 0;
    for (int round = 0; round < rounds; ++round) {
        IImgX* image = nullptr;
        factory->CreateImgX(&image);
        const auto holder = SAutoRef<IImgX>::Adopt(image);
        LARGE_INTEGER start, decoded, copied;
        ::QueryPerformanceCounter(&start);
        const int count = image->LoadFromMemory(bytes.data(), bytes.size());
        ::QueryPerformanceCounter(&decoded);
        SAKU::IImgFrame* frame = count > 0 ? image->GetFrame(0) : nullptr;
        if (!frame || !frame->GetSize(&width, &height)) {
            std::fprintf(stderr, "bench_decode: %ls found no frame\n", argv[2]);
            return 1;
        }
        if (round == 0)
            decodePeakMb = PeakWorkingSetMb();
        const size_t size = static_cast<size_t>(width) * height * 4;
        std::unique_ptr<BYTE[]> pixels(new BYTE[size]);
        if (!frame->CopyPixels(nullptr, width * 4, static_cast<UINT>(size), pixels.get())) {
            std::fprintf(stderr, "bench_decode: %ls could not copy the pixels\n", argv[2]);
            return 1;
        }
        ::QueryPerformanceCounter(&copied);
        const double seconds = Seconds(start, copied);
        if (round == 0) {
            copyPeakMb = PeakWorkingSetMb();
            first = best = seconds;
            frames = static_cast<UINT>(count);
            hash = Fnv1a(pixels.get(), size);
        }
        best = seconds < best ? seconds : best;
        std::printf("bench_decode: %ls round %d: load %.3f s, copy %.3f s\n", argv[2], round + 1,
                    Seconds(start, decoded), Seconds(decoded, copied));
    }
    std::printf("bench_decode: %ls %ux%u frames %u best %.3f s first %.3f s peak working set %.1f MB before, "
                "%.1f MB decoded, %.1f MB copied, hash %08x\n",
                argv[2], width, height, frames, best, first, baseMb, decodePeakMb, copyPeakMb,
                static_cast<unsigned>(hash));
    return 0;
}
