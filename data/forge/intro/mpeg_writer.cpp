#include "data/forge/intro/mpeg_writer.h"

#include <algorithm>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswscale/swscale.h>
}

namespace forge::intro {

struct MpegEncoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* sound = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* soundStream = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* soundFrame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* converter = nullptr;
    bool fileOpen = false;

    ~MpegEncoder() {
        sws_freeContext(converter);
        av_frame_free(&picture);
        av_frame_free(&soundFrame);
        av_packet_free(&packet);
        avcodec_free_context(&video);
        avcodec_free_context(&sound);
        if (format && fileOpen) avio_closep(&format->pb);
        avformat_free_context(format);
    }
};

namespace {

// Hands every packet the encoder has ready to the file.
bool Drain(MpegEncoder& e, AVCodecContext* codec, AVStream* stream) {
    for (;;) {
        const int result = avcodec_receive_packet(codec, e.packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) return false;
        av_packet_rescale_ts(e.packet, codec->time_base, stream->time_base);
        e.packet->stream_index = stream->index;
        if (av_interleaved_write_frame(e.format, e.packet) < 0) return false;
    }
}

bool Encode(MpegEncoder& e, AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    return avcodec_send_frame(codec, frame) >= 0 && Drain(e, codec, stream);
}

// Opens the encoder set up in `context` and gives it a stream of the file;
// nullptr (and the context freed) when either fails.
AVCodecContext* OpenStream(MpegEncoder& e, AVCodecContext* context, const AVCodec* codec, AVStream*& stream) {
    stream = avformat_new_stream(e.format, nullptr);
    if (!stream || avcodec_open2(context, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, context) < 0) {
        avcodec_free_context(&context);
        return nullptr;
    }
    stream->time_base = context->time_base;
    // The muxer sizes its model of the player's buffer from the encoder's.
    for (int i = 0; i < context->nb_coded_side_data; ++i) {
        const AVPacketSideData& side = context->coded_side_data[i];
        uint8_t* copy = av_stream_new_side_data(stream, side.type, side.size);
        if (copy) std::copy_n(side.data, side.size, copy);
    }
    return context;
}

AVCodecContext* OpenVideo(MpegEncoder& e, const MovieFormat& f) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
    if (!codec) return nullptr;
    AVCodecContext* video = avcodec_alloc_context3(codec);
    if (!video) return nullptr;
    video->width = f.width;
    video->height = f.height;
    video->time_base = AVRational{1, f.framesPerSecond};
    video->framerate = AVRational{f.framesPerSecond, 1};
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->color_range = AVCOL_RANGE_MPEG;
    video->colorspace = AVCOL_SPC_BT470BG;  // what the player's scaler assumes
    video->bit_rate = f.videoBitRate;
    // A roomy buffer lets the busy flight borrow the bits the still end leaves.
    video->rc_max_rate = f.videoBitRate * 4;
    video->rc_buffer_size = f.videoBitRate * 3;
    video->gop_size = 25;  // a key picture a second: nobody seeks in an intro
    video->max_b_frames = 2;
    video->thread_count = 1;  // one thread: the same pictures give the same bytes
    // The encoder's simple decisions: rate-distortion decisions and trellis
    // quantisation gain about 0.3 dB on these pictures for nearly twice the
    // encoding time.
    video->mb_decision = FF_MB_DECISION_SIMPLE;
    video->trellis = 0;
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    return OpenStream(e, video, codec, e.videoStream);
}

AVCodecContext* OpenSound(MpegEncoder& e, const MovieFormat& f) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (!codec) return nullptr;
    AVCodecContext* sound = avcodec_alloc_context3(codec);
    if (!sound) return nullptr;
    sound->sample_fmt = AV_SAMPLE_FMT_S16;
    sound->sample_rate = f.soundRate;
    av_channel_layout_default(&sound->ch_layout, 2);
    sound->bit_rate = f.soundBitRate;
    sound->time_base = AVRational{1, f.soundRate};
    return OpenStream(e, sound, codec, e.soundStream);
}

}  // namespace

MpegWriter::~MpegWriter() {
    if (encoder_) Fail("abandoned");
}

bool MpegWriter::Fail(const std::string& what) {
    problem_ = what;
    delete encoder_;
    encoder_ = nullptr;
    std::remove((path_ + ".part").c_str());
    return false;
}

bool MpegWriter::Open(const std::string& path, const MovieFormat& format, std::vector<int16_t> sound) {
    av_log_set_level(AV_LOG_ERROR);
    if (encoder_) Fail("abandoned");
    encoder_ = new MpegEncoder;
    path_ = path;
    const std::string partial = path + ".part";
    format_ = format;
    sound_ = std::move(sound);
    soundDone_ = pictures_ = 0;
    MpegEncoder& e = *encoder_;
    // "vob" is FFmpeg's name for the MPEG-2 program stream.
    if (avformat_alloc_output_context2(&e.format, nullptr, "vob", partial.c_str()) < 0)
        return Fail("no MPEG program stream muxer");
    e.format->max_delay = 700000;  // microseconds a packet may wait in the muxer
    if (!(e.video = OpenVideo(e, format))) return Fail("cannot open the MPEG-2 video encoder");
    if (!sound_.empty() && !(e.sound = OpenSound(e, format)))
        return Fail("cannot open the MP2 sound encoder");
    e.packet = av_packet_alloc();
    e.picture = av_frame_alloc();
    if (!e.packet || !e.picture) return Fail("out of memory");
    e.picture->format = AV_PIX_FMT_YUV420P;
    e.picture->width = format.width;
    e.picture->height = format.height;
    if (av_frame_get_buffer(e.picture, 0) < 0) return Fail("out of memory");
    if (e.sound) {
        e.soundFrame = av_frame_alloc();
        if (!e.soundFrame) return Fail("out of memory");
        e.soundFrame->nb_samples = e.sound->frame_size;
        e.soundFrame->format = e.sound->sample_fmt;
        e.soundFrame->sample_rate = e.sound->sample_rate;
        av_channel_layout_copy(&e.soundFrame->ch_layout, &e.sound->ch_layout);
        if (av_frame_get_buffer(e.soundFrame, 0) < 0) return Fail("out of memory");
    }
    // Cairo's pixels are 0xAARRGGBB words: B, G, R, A bytes on this machine.
    e.converter =
        sws_getContext(format.width, format.height, AV_PIX_FMT_BGRA, format.width, format.height,
                       AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!e.converter) return Fail("no colour converter");
    if (avio_open(&e.format->pb, partial.c_str(), AVIO_FLAG_WRITE) < 0)
        return Fail("cannot create " + partial);
    e.fileOpen = true;
    if (avformat_write_header(e.format, nullptr) < 0) return Fail("cannot write the header of " + partial);
    return true;
}

bool MpegWriter::WriteSoundUpTo(int64_t sampleFrames) {
    MpegEncoder& e = *encoder_;
    if (!e.sound) return true;
    const int64_t total = static_cast<int64_t>(sound_.size() / 2);
    const int size = e.sound->frame_size;
    while (soundDone_ < std::min(sampleFrames, total)) {
        if (av_frame_make_writable(e.soundFrame) < 0) return false;
        auto* out = reinterpret_cast<int16_t*>(e.soundFrame->data[0]);
        const int64_t take = std::min<int64_t>(size, total - soundDone_);
        std::copy_n(sound_.data() + soundDone_ * 2, take * 2, out);
        std::fill(out + take * 2, out + size * 2, int16_t{0});  // the last frame runs on in silence
        e.soundFrame->pts = soundDone_;
        soundDone_ += size;
        if (!Encode(e, e.sound, e.soundStream, e.soundFrame)) return false;
    }
    return true;
}

bool MpegWriter::AddPicture(const uint8_t* pixels, int stride) {
    if (!encoder_) return false;
    MpegEncoder& e = *encoder_;
    if (av_frame_make_writable(e.picture) < 0) return Fail("out of memory");
    const uint8_t* planes[1] = {pixels};
    const int strides[1] = {stride};
    sws_scale(e.converter, planes, strides, 0, format_.height, e.picture->data, e.picture->linesize);
    e.picture->pts = pictures_;
    if (!Encode(e, e.video, e.videoStream, e.picture)) return Fail("the video encoder failed");
    ++pictures_;
    // The sound of the time this picture covers goes in beside it.
    if (!WriteSoundUpTo(pictures_ * format_.soundRate / format_.framesPerSecond))
        return Fail("the sound encoder failed");
    return true;
}

bool MpegWriter::Finish() {
    if (!encoder_) return false;
    MpegEncoder& e = *encoder_;
    if (!WriteSoundUpTo(static_cast<int64_t>(sound_.size() / 2))) return Fail("the sound encoder failed");
    if (!Encode(e, e.video, e.videoStream, nullptr)) return Fail("the video encoder failed at the end");
    if (e.sound && !Encode(e, e.sound, e.soundStream, nullptr))
        return Fail("the sound encoder failed at the end");
    if (av_write_trailer(e.format) < 0) return Fail("cannot finish the file");
    const bool closed = avio_closep(&e.format->pb) == 0;
    e.fileOpen = false;
    if (!closed) return Fail("cannot write " + path_ + ".part");
    if (std::rename((path_ + ".part").c_str(), path_.c_str()) != 0) return Fail("cannot rename to " + path_);
    delete encoder_;
    encoder_ = nullptr;
    return true;
}

}  // namespace forge::intro
