#pragma once

// What the image-decoder tests share: the four modules by name, frames read back
// through IImgFrame, pixels as text, and fixtures made by the host's image tools.

#include "core/SAutoRef.h"
#include "render/ImgDecoderCreators.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tivala::test {

class ScratchDir;

struct DecoderModule {
    const char* name;                                   // the start-up name
    BOOL (*create)(SAKU::IImgDecoderFactory**);
    const wchar_t* description;
};
extern const DecoderModule kDecoderModules[4];

// The module with the creator's reference adopted.
SAKU::SAutoRef<SAKU::IImgDecoderFactory> CreateModule(const DecoderModule& module);
SAKU::SAutoRef<SAKU::IImgX> CreateImage(SAKU::IImgDecoderFactory* factory);

struct DecodedFrame {
    UINT width = 0;
    UINT height = 0;
    int delay = 0;
    std::string bgra;    // what CopyPixels gave
};

// Every frame of the image, read with GetSize and a CopyPixels of the exact size.
std::vector<DecodedFrame> ReadFrames(SAKU::IImgX* image);

// Pixels as text, one row a line of 8-digit words of their bytes in memory order
// ("0000ffff" is B 00, G 00, R FF, A FF), so that a failure shows where they differ.
std::string Describe(const std::string& pixels, UINT width);
std::string Describe(const DecodedFrame& frame);

// Straight RGBA written 0xRRGGBBAA, as bytes R, G, B, A.
std::string RgbaBytes(const std::vector<std::uint32_t>& pixels);
// Straight RGBA bytes as the library holds them: B, G, R, A, premultiplied.
std::string PremultipliedBgra(const std::string& rgba);

// Runs a command of the host in the scratch folder; fails the test when it fails.
void RunHostTool(const ScratchDir& scratch, const std::string& command);

// Writes `rgba` (width x height straight pixels) into the scratch folder and has
// ImageMagick's convert make `output` of them with `options`, e.g. "PNG32:a.png".
void ConvertRgba(const ScratchDir& scratch, UINT width, UINT height, const std::string& rgba,
                 const std::string& output);

// The bytes of a file in the scratch folder; fails the test when it cannot be read.
std::string ReadScratch(const ScratchDir& scratch, const std::wstring& name);

// Loads a file of the scratch folder into the image by its path or from its bytes;
// the frame count the load returned.
int LoadScratch(SAKU::IImgX* image, const ScratchDir& scratch, const std::wstring& name, bool fromFile);

}  // namespace tivala::test
