#include "tests/platform/movie_maker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace {

struct Output {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
};

bool Drain(Output& out, AVCodecContext* codec, AVStream* stream) {
    while (avcodec_receive_packet(codec, out.packet) == 0) {
        av_packet_rescale_ts(out.packet, codec->time_base, stream->time_base);
        out.packet->stream_index = stream->index;
        if (av_interleaved_write_frame(out.format, out.packet) < 0) return false;
    }
    return true;
}

bool Encode(Output& out, AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    return avcodec_send_frame(codec, frame) >= 0 && Drain(out, codec, stream);
}

AVCodecContext* OpenVideo(Output& out, int w, int h) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG1VIDEO);
    if (!codec) return nullptr;
    AVCodecContext* video = avcodec_alloc_context3(codec);
    video->width = w;
    video->height = h;
    video->time_base = AVRational{1, 25};
    video->framerate = AVRational{25, 1};
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->bit_rate = 400000;
    video->gop_size = 12;
    video->max_b_frames = 2;
    if (out.format->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    out.videoStream = avformat_new_stream(out.format, nullptr);
    if (!out.videoStream || avcodec_open2(video, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(out.videoStream->codecpar, video) < 0) {
        avcodec_free_context(&video);
        return nullptr;
    }
    out.videoStream->time_base = video->time_base;
    return video;
}

AVCodecContext* OpenAudio(Output& out) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (!codec) return nullptr;
    AVCodecContext* audio = avcodec_alloc_context3(codec);
    audio->sample_fmt = AV_SAMPLE_FMT_S16;
    audio->sample_rate = 44100;
    av_channel_layout_default(&audio->ch_layout, 2);
    audio->bit_rate = 128000;
    audio->time_base = AVRational{1, 44100};
    out.audioStream = avformat_new_stream(out.format, nullptr);
    if (!out.audioStream || avcodec_open2(audio, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(out.audioStream->codecpar, audio) < 0) {
        avcodec_free_context(&audio);
        return nullptr;
    }
    out.audioStream->time_base = audio->time_base;
    return audio;
}

bool WriteSound(Output& out, int64_t& samplesDone, int64_t samplesWanted) {
    while (samplesDone < samplesWanted) {
        AVFrame* frame = av_frame_alloc();
        frame->nb_samples = out.audio->frame_size;
        frame->format = out.audio->sample_fmt;
        av_channel_layout_copy(&frame->ch_layout, &out.audio->ch_layout);
        frame->sample_rate = out.audio->sample_rate;
        bool ok = av_frame_get_buffer(frame, 0) >= 0;
        if (ok) {
            int16_t* samples = reinterpret_cast<int16_t*>(frame->data[0]);
            for (int i = 0; i < frame->nb_samples; ++i) {
                const double t = static_cast<double>(samplesDone + i) / 44100.0;
                const auto value = static_cast<int16_t>(6000.0 * std::sin(2.0 * M_PI * 440.0 * t));
                samples[2 * i] = samples[2 * i + 1] = value;
            }
            frame->pts = samplesDone;
            samplesDone += frame->nb_samples;
            ok = Encode(out, out.audio, out.audioStream, frame);
        }
        av_frame_free(&frame);
        if (!ok) return false;
    }
    return true;
}

bool WritePictures(Output& out, int frames, bool withSound) {
    int64_t samplesDone = 0;
    for (int n = 0; n < frames; ++n) {
        if (av_frame_make_writable(out.frame) < 0) return false;
        const int grey = std::min(235, 16 + 10 * n);
        for (int y = 0; y < out.video->height; ++y)
            for (int x = 0; x < out.video->width; ++x) out.frame->data[0][y * out.frame->linesize[0] + x] = grey;
        for (int y = 0; y < out.video->height / 2; ++y)
            for (int x = 0; x < out.video->width / 2; ++x) {
                out.frame->data[1][y * out.frame->linesize[1] + x] = 128;
                out.frame->data[2][y * out.frame->linesize[2] + x] = 128;
            }
        out.frame->pts = n;
        if (!Encode(out, out.video, out.videoStream, out.frame)) return false;
        if (withSound && !WriteSound(out, samplesDone, static_cast<int64_t>(n + 1) * 44100 / 25)) return false;
    }
    if (!Encode(out, out.video, out.videoStream, nullptr)) return false;
    return !withSound || Encode(out, out.audio, out.audioStream, nullptr);
}

void Release(Output& out) {
    av_frame_free(&out.frame);
    av_packet_free(&out.packet);
    avcodec_free_context(&out.video);
    avcodec_free_context(&out.audio);
    if (out.format && out.format->pb) avio_closep(&out.format->pb);
    avformat_free_context(out.format);
}

}  // namespace

bool WriteTestMovie(const std::string& path, int w, int h, int frames, bool withSound) {
    av_log_set_level(AV_LOG_QUIET);
    Output out;
    bool ok = avformat_alloc_output_context2(&out.format, nullptr, "mpeg", path.c_str()) >= 0;
    ok = ok && (out.video = OpenVideo(out, w, h)) != nullptr;
    ok = ok && (!withSound || (out.audio = OpenAudio(out)) != nullptr);
    if (ok) {
        out.frame = av_frame_alloc();
        out.packet = av_packet_alloc();
        out.frame->format = AV_PIX_FMT_YUV420P;
        out.frame->width = w;
        out.frame->height = h;
        ok = av_frame_get_buffer(out.frame, 0) >= 0;
    }
    ok = ok && avio_open(&out.format->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0;
    ok = ok && avformat_write_header(out.format, nullptr) >= 0;
    ok = ok && WritePictures(out, frames, withSound);
    ok = ok && av_write_trailer(out.format) >= 0;
    Release(out);
    return ok;
}
