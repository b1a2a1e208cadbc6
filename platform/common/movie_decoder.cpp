#include "platform/common/movie_decoder.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace platform {

struct MovieDecoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    int videoStream = -1, audioStream = -1;
    AVPacket* packet = nullptr;
    AVFrame* current = nullptr;  // the picture on show
    AVFrame* next = nullptr;     // the picture decoded ahead
    AVFrame* soundFrame = nullptr;
    bool haveNext = false;
    int64_t nextMs = 0;
    int64_t firstPts = AV_NOPTS_VALUE;
    int64_t lastMs = 0;
    int64_t frameMs = 40;
    bool inputEnded = false;
    bool finished = false;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    int audioChannels = 0;
    int displayWidth = 0, displayHeight = 0;
    std::vector<int16_t> earlySound;  // met while the first picture was decoded
};

namespace {

AVCodecContext* OpenCodec(AVFormatContext* format, int stream, const AVCodec* codec) {
    AVCodecContext* context = avcodec_alloc_context3(codec);
    if (!context) return nullptr;
    if (avcodec_parameters_to_context(context, format->streams[stream]->codecpar) < 0 ||
        avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return nullptr;
    }
    return context;
}

bool OpenResampler(MovieDecoder& decoder, int rate, int channels) {
    AVChannelLayout in{};
    if (av_channel_layout_copy(&in, &decoder.audio->ch_layout) < 0) return false;
    if (in.order == AV_CHANNEL_ORDER_UNSPEC) {
        const int count = in.nb_channels > 0 ? in.nb_channels : 1;
        av_channel_layout_uninit(&in);
        av_channel_layout_default(&in, count);
    }
    AVChannelLayout out{};
    av_channel_layout_default(&out, channels);
    const int made = swr_alloc_set_opts2(&decoder.resampler, &out, AV_SAMPLE_FMT_S16, rate, &in,
                                         decoder.audio->sample_fmt, decoder.audio->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    if (made < 0 || swr_init(decoder.resampler) < 0) {
        swr_free(&decoder.resampler);
        return false;
    }
    decoder.audioChannels = channels;
    return true;
}

void DrainSound(MovieDecoder& decoder, std::vector<int16_t>& sound) {
    while (avcodec_receive_frame(decoder.audio, decoder.soundFrame) == 0) {
        if (!decoder.resampler) continue;
        const int room = swr_get_out_samples(decoder.resampler, decoder.soundFrame->nb_samples);
        if (room <= 0) continue;
        const size_t old = sound.size();
        sound.resize(old + static_cast<size_t>(room) * static_cast<size_t>(decoder.audioChannels));
        uint8_t* out = reinterpret_cast<uint8_t*>(sound.data() + old);
        const int got = swr_convert(decoder.resampler, &out, room,
                                    const_cast<const uint8_t**>(decoder.soundFrame->extended_data),
                                    decoder.soundFrame->nb_samples);
        sound.resize(old +
                     static_cast<size_t>(got > 0 ? got : 0) * static_cast<size_t>(decoder.audioChannels));
    }
}

// Reads one packet and hands it to its decoder; false once the file has ended
// (the decoders are then told to give out what they still hold).
bool ReadPacket(MovieDecoder& decoder, std::vector<int16_t>& sound) {
    if (decoder.inputEnded) return false;
    if (av_read_frame(decoder.format, decoder.packet) < 0) {
        decoder.inputEnded = true;
        avcodec_send_packet(decoder.video, nullptr);
        if (decoder.audio) {
            avcodec_send_packet(decoder.audio, nullptr);
            DrainSound(decoder, sound);
        }
        return false;
    }
    if (decoder.packet->stream_index == decoder.videoStream) {
        avcodec_send_packet(decoder.video, decoder.packet);
    } else if (decoder.audio && decoder.packet->stream_index == decoder.audioStream) {
        if (avcodec_send_packet(decoder.audio, decoder.packet) == 0) DrainSound(decoder, sound);
    }
    av_packet_unref(decoder.packet);
    return true;
}

bool DecodePicture(MovieDecoder& decoder, AVFrame* into, std::vector<int16_t>& sound) {
    for (;;) {
        const int result = avcodec_receive_frame(decoder.video, into);
        if (result == 0) return true;
        if (result != AVERROR(EAGAIN)) return false;  // the end, or a picture that cannot be decoded
        if (!ReadPacket(decoder, sound) && decoder.inputEnded) {
            // The flush is sent: what the decoder holds still comes out, then the end.
            const int last = avcodec_receive_frame(decoder.video, into);
            return last == 0;
        }
    }
}

int64_t PictureMs(MovieDecoder& decoder, const AVFrame* picture) {
    const int64_t pts = picture->best_effort_timestamp;
    int64_t ms = decoder.lastMs + decoder.frameMs;
    if (pts != AV_NOPTS_VALUE) {
        if (decoder.firstPts == AV_NOPTS_VALUE) decoder.firstPts = pts;
        ms = av_rescale_q(pts - decoder.firstPts, decoder.format->streams[decoder.videoStream]->time_base,
                          AVRational{1, 1000});
    } else if (decoder.firstPts == AV_NOPTS_VALUE) {
        ms = 0;
    }
    decoder.lastMs = ms;
    return ms;
}

}  // namespace

MovieDecoder* OpenMovieDecoder(const std::string& path, int audioRate, int audioChannels) {
    av_log_set_level(AV_LOG_QUIET);  // nothing is logged
    MovieDecoder* decoder = new MovieDecoder;
    auto fail = [&]() -> MovieDecoder* {
        CloseMovieDecoder(decoder);
        return nullptr;
    };
    if (avformat_open_input(&decoder->format, path.c_str(), nullptr, nullptr) < 0) return fail();
    if (avformat_find_stream_info(decoder->format, nullptr) < 0) return fail();
    const AVCodec* codec = nullptr;
    decoder->videoStream = av_find_best_stream(decoder->format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (decoder->videoStream < 0 || !codec) return fail();
    decoder->video = OpenCodec(decoder->format, decoder->videoStream, codec);
    if (!decoder->video || decoder->video->width <= 0 || decoder->video->height <= 0) return fail();
    AVStream* stream = decoder->format->streams[decoder->videoStream];
    const AVRational rate = av_guess_frame_rate(decoder->format, stream, nullptr);
    if (rate.num > 0 && rate.den > 0) decoder->frameMs = std::max<int64_t>(1, 1000LL * rate.den / rate.num);

    if (audioRate > 0 && audioChannels > 0) {
        const AVCodec* soundCodec = nullptr;
        const int soundStream = av_find_best_stream(decoder->format, AVMEDIA_TYPE_AUDIO, -1,
                                                    decoder->videoStream, &soundCodec, 0);
        if (soundStream >= 0 && soundCodec) {
            decoder->audio = OpenCodec(decoder->format, soundStream, soundCodec);
            if (decoder->audio && OpenResampler(*decoder, audioRate, audioChannels)) {
                decoder->audioStream = soundStream;
            } else {
                avcodec_free_context(&decoder->audio);  // a movie without its sound still plays
            }
        }
    }

    decoder->packet = av_packet_alloc();
    decoder->current = av_frame_alloc();
    decoder->next = av_frame_alloc();
    decoder->soundFrame = av_frame_alloc();
    if (!decoder->packet || !decoder->current || !decoder->next || !decoder->soundFrame) return fail();
    if (!DecodePicture(*decoder, decoder->current, decoder->earlySound)) return fail();
    if (decoder->current->width <= 0 || decoder->current->height <= 0) return fail();
    PictureMs(*decoder, decoder->current);

    decoder->displayWidth = decoder->current->width;
    decoder->displayHeight = decoder->current->height;
    const AVRational aspect = av_guess_sample_aspect_ratio(decoder->format, stream, decoder->current);
    if (aspect.num > 0 && aspect.den > 0) {
        const int64_t wide = static_cast<int64_t>(decoder->current->width) * aspect.num / aspect.den;
        if (wide > 0 && wide < 16384) decoder->displayWidth = static_cast<int>(wide);
    }
    return decoder;
}

void CloseMovieDecoder(MovieDecoder* decoder) {
    if (!decoder) return;
    sws_freeContext(decoder->scaler);
    swr_free(&decoder->resampler);
    av_frame_free(&decoder->current);
    av_frame_free(&decoder->next);
    av_frame_free(&decoder->soundFrame);
    av_packet_free(&decoder->packet);
    avcodec_free_context(&decoder->video);
    avcodec_free_context(&decoder->audio);
    avformat_close_input(&decoder->format);
    delete decoder;
}

int MovieDisplayWidth(const MovieDecoder* decoder) { return decoder ? decoder->displayWidth : 0; }
int MovieDisplayHeight(const MovieDecoder* decoder) { return decoder ? decoder->displayHeight : 0; }

bool AdvanceMovieDecoder(MovieDecoder* decoder, int64_t ms, std::vector<int16_t>& sound) {
    if (!decoder) return false;
    if (!decoder->earlySound.empty()) {
        sound.insert(sound.end(), decoder->earlySound.begin(), decoder->earlySound.end());
        decoder->earlySound.clear();
    }
    bool changed = false;
    while (!decoder->finished) {
        if (!decoder->haveNext) {
            if (!DecodePicture(*decoder, decoder->next, sound)) {
                decoder->finished = true;
                break;
            }
            decoder->haveNext = true;
            decoder->nextMs = PictureMs(*decoder, decoder->next);
        }
        if (decoder->nextMs > ms) break;
        std::swap(decoder->current, decoder->next);
        decoder->haveNext = false;
        changed = true;
    }
    return changed;
}

bool MovieDecoderFinished(const MovieDecoder* decoder) { return !decoder || decoder->finished; }

bool MovieDecoderPicture(MovieDecoder* decoder, int w, int h, uint8_t* pixels, int pitch) {
    if (!decoder || w <= 0 || h <= 0 || !pixels) return false;
    const AVFrame* picture = decoder->current;
    decoder->scaler = sws_getCachedContext(decoder->scaler, picture->width, picture->height,
                                           static_cast<AVPixelFormat>(picture->format), w, h, AV_PIX_FMT_BGRA,
                                           SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!decoder->scaler) return false;
    uint8_t* planes[4] = {pixels, nullptr, nullptr, nullptr};
    int pitches[4] = {pitch, 0, 0, 0};
    return sws_scale(decoder->scaler, picture->data, picture->linesize, 0, picture->height, planes, pitches) >
           0;
}

}  // namespace platform
