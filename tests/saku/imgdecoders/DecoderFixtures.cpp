#include "DecoderFixtures.h"

#include "HostCommand.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tivala::test {

const DecoderModule kDecoderModules[4] = {
    {"imgdecoder-gdip", SAKU::CreateImgDecoderFactory_GDIP, L"gdi+"},
    {"imgdecoder-wic",  SAKU::CreateImgDecoderFactory_WIC,  L"wic"},
    {"imgdecoder-stb",  SAKU::CreateImgDecoderFactory_STB,  L"stb"},
    {"imgdecoder-png",  SAKU::CreateImgDecoderFactory_PNG,  L"apng"},
};

SAKU::SAutoRef<SAKU::IImgDecoderFactory> CreateModule(const DecoderModule& module)
{
    SAKU::IImgDecoderFactory* factory = nullptr;
    EXPECT_TRUE(module.create(&factory));
    return SAKU::SAutoRef<SAKU::IImgDecoderFactory>::Adopt(factory);
}

SAKU::SAutoRef<SAKU::IImgX> CreateImage(SAKU::IImgDecoderFactory* factory)
{
    SAKU::IImgX* image = nullptr;
    EXPECT_TRUE(factory->CreateImgX(&image));
    return SAKU::SAutoRef<SAKU::IImgX>::Adopt(image);
}

std::vector<DecodedFrame> ReadFrames(SAKU::IImgX* image)
{
    std::vector<DecodedFrame> frames;
    for (UINT i = 0; i < image->GetFrameCount(); ++i) {
        SAKU::IImgFrame* frame = image->GetFrame(i);
        DecodedFrame decoded;
        if (!frame || !frame->GetSize(&decoded.width, &decoded.height)) {
            ADD_FAILURE() << "frame " << i << " has no size";
            return frames;
        }
        decoded.delay = frame->GetDelay();
        decoded.bgra.assign(static_cast<size_t>(decoded.width) * decoded.height * 4, '\x5A');
        EXPECT_TRUE(frame->CopyPixels(nullptr, decoded.width * 4, static_cast<UINT>(decoded.bgra.size()),
                                      reinterpret_cast<BYTE*>(decoded.bgra.data())))
            << "frame " << i;
        frames.push_back(std::move(decoded));
    }
    return frames;
}

std::string Describe(const std::string& pixels, UINT width)
{
    std::string text;
    for (size_t i = 0; i + 4 <= pixels.size(); i += 4) {
        char word[9];
        std::snprintf(word, sizeof(word), "%02x%02x%02x%02x", static_cast<unsigned char>(pixels[i]),
                      static_cast<unsigned char>(pixels[i + 1]), static_cast<unsigned char>(pixels[i + 2]),
                      static_cast<unsigned char>(pixels[i + 3]));
        text += word;
        text += width && (i / 4 + 1) % width == 0 ? "\n" : " ";
    }
    return text;
}

std::string Describe(const DecodedFrame& frame)
{
    return std::to_string(frame.width) + "x" + std::to_string(frame.height) + "\n" + Describe(frame.bgra, frame.width);
}

std::string RgbaBytes(const std::vector<std::uint32_t>& pixels)
{
    std::string bytes;
    for (std::uint32_t pixel : pixels)
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>(pixel >> shift);
    return bytes;
}

std::string PremultipliedBgra(const std::string& rgba)
{
    std::string bgra(rgba.size(), '\0');
    for (size_t i = 0; i + 4 <= rgba.size(); i += 4) {
        const unsigned alpha = static_cast<unsigned char>(rgba[i + 3]);
        for (int c = 0; c < 3; ++c)
            bgra[i + 2 - c] = static_cast<char>(static_cast<unsigned char>(rgba[i + c]) * alpha / 255);
        bgra[i + 3] = static_cast<char>(alpha);
    }
    return bgra;
}

void RunHostTool(const ScratchDir& scratch, const std::string& command)
{
    std::string output;
    EXPECT_EQ(0, HostCommand::Run(command, scratch.UnixPath(), 60000, &output).value_or(-1))
        << command << "\n" << output;
}

void ConvertRgba(const ScratchDir& scratch, UINT width, UINT height, const std::string& rgba,
                 const std::string& output)
{
    ASSERT_TRUE(scratch.Write(L"pixels.rgba", rgba));
    RunHostTool(scratch, "/usr/bin/convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                             " -depth 8 rgba:pixels.rgba " + output);
}

std::string ReadScratch(const ScratchDir& scratch, const std::wstring& name)
{
    std::string bytes;
    EXPECT_TRUE(ScratchDir::Read(scratch.File(name), bytes)) << "cannot read the fixture";
    return bytes;
}

int LoadScratch(SAKU::IImgX* image, const ScratchDir& scratch, const std::wstring& name, bool fromFile)
{
    if (fromFile)
        return image->LoadFromFileW(scratch.File(name).c_str());
    const std::string bytes = ReadScratch(scratch, name);
    return image->LoadFromMemory(bytes.data(), bytes.size());
}

}  // namespace tivala::test
