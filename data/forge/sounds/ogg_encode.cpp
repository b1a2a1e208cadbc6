// Ogg Vorbis encoding of the synthesised clips (libvorbisenc), and turning a
// clip into a catalogue asset.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "assets/sound_catalogue.h"
#include "data/forge/sounds/synth.h"

namespace forge::synth {
namespace {

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<uint8_t> EncodeOgg(const Track& track, int serial) {
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, Rate, 0.5f) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Nebulor 2");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    // The headers end on a page of their own, as players expect.
    while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

    const size_t frames = track.Frames();
    constexpr size_t Chunk = 4096;
    bool ended = false;
    for (size_t at = 0; !ended;) {
        const size_t count = std::min(Chunk, frames - at);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            memcpy(buffer[0], track.left.data() + at, count * sizeof(float));
            memcpy(buffer[1], track.right.data() + at, count * sizeof(float));
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            at += count;
        } else {
            vorbis_analysis_wrote(&dsp, 0);  // end of stream
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(out, page);
                    if (ogg_page_eos(&page)) ended = true;
                }
            }
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

Asset SoundAsset(int number, const Track& track) {
    Asset asset;
    asset.kind = "sound";
    asset.number = number;
    for (const SoundEntry& entry : kSoundCatalogue)
        if (entry.number == number) asset.label = entry.label;
    char file[32];
    snprintf(file, sizeof file, "sound_%02d.ogg", number);
    asset.file = file;
    asset.format = "OGG";
    asset.bytes = EncodeOgg(track, 0x4E42 + number);
    return asset;
}

}  // namespace forge::synth
