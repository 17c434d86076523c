// The MOV writer's workers: ProRes frames need nothing of each other, so each worker converts
// and compresses whole frames with a codec of its own, and whichever worker finishes the oldest
// frame stores every packet that is then next in order.
// Frames of a few changed bands come as strips, spliced into the frame before once stored.
#include "VideoWriter.h"

#include "ProResSplice.h"
#include "ProResStrips.h"
#include "animation/FramesInFlight.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
}

#include <algorithm>
#include <cerrno>
#include <cstring>

MaybeError VideoWriter::startWorkers(qint64 pictureBytes, int frameBytes) {
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    // A worker holds a frame in video colours (17 MB at 1080p with alpha): on many cores or at
    // 8K, fewer workers, and the slices of a frame shared out between the cores instead.
    const int count = framesInFlight(frameBytes, settings_.workers > 0 ? settings_.workers : cores, 1);
    pictures_.resize(std::size_t(framesInFlight(pictureBytes, std::max(depth_, count + 2))));
    for (int i = int(pictures_.size()) - 1; i >= 0; --i)
        freePictures_.push_back(i);
    window_ = 2 * qint64(count);
    frames_.resize(std::size_t(count), nullptr);
    for (int w = 0; w < count; ++w) {
        if (!(frames_[std::size_t(w)] = encoder_.newFrame())) return Error{path_, systemReason(ENOMEM)};
        coders_.push_back(std::make_unique<FrameCoder>());
        if (MaybeError e = encoder_.openTwin(*coders_.back(), std::max(1, cores / count))) return e;
    }
    for (int w = 0; w < count; ++w)
        workers_.emplace_back([this, w] { workerLoop(w); });
    return std::nullopt;
}

void VideoWriter::workerLoop(int worker) {
    FrameConverter converter(settings_.width, settings_.height, encoder_.pixelFormat(), encoder_.colour());
    AVFrame* frame = frames_[std::size_t(worker)];
    FrameCoder& coder = *coders_[std::size_t(worker)];
    StripCoder strips(encoder_, settings_.width, settings_.height, path_);
    // Only frames near the oldest one not stored yet: the packets waiting stay few.
    const auto mayTake = [this] {
        return !toConvert_.empty() && pictures_[std::size_t(toConvert_.front())].seq < storeNext_ + window_;
    };
    for (;;) {
        int index;
        bool failed;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || mayTake(); });
            if (!mayTake()) return;
            index = toConvert_.front();
            toConvert_.pop_front();
            ++busy_;
            failed = bool(error_); // after a failure nothing more is encoded
        }
        Picture& picture = pictures_[std::size_t(index)];
        const qint64 seq = picture.seq;
        const bool repeat = !failed && picture.repeat;
        MaybeError e;
        Encoded encoded{nullptr, repeat, {}};
        if (!failed && !repeat && !picture.strips.empty()) {
            // Only the bands that changed, each converted and encoded on its own.
            if (av_frame_make_writable(frame) < 0) e = Error{path_, systemReason(ENOMEM)};
            for (const auto& [first, rows] : picture.strips) {
                if (e) break;
                const int top = first * 16, lines = std::min(rows * 16, settings_.height - top);
                if (picture.layout == QImage::Format_ARGB32_Premultiplied)
                    unpremultiply(picture.pixels.data() + qsizetype(top) * picture.stride, settings_.width,
                                  lines, picture.stride);
                AVPacket* packet = av_packet_alloc();
                if (!packet) e = Error{path_, systemReason(ENOMEM)};
                if (!e)
                    e = strips.encode(picture.pixels.data(), picture.stride, picture.layout, first, rows,
                                      frame, seq, packet);
                if (packet) encoded.strips.emplace_back(first, packet);
            }
        } else if (!failed && !repeat) {
            if (!converter.convert(picture.pixels.data(), picture.stride, picture.layout, frame))
                e = Error{path_, QStringLiteral("the frames could not be converted to video colours")};
        }
        {
            std::lock_guard lock(mutex_);
            freePictures_.push_back(index);
        }
        changed_.notify_all();
        if (!failed && !repeat && !e && encoded.strips.empty()) {
            encoded.packet = av_packet_alloc();
            e = encoded.packet ? coder.encode(frame, seq, encoded.packet)
                               : Error{path_, systemReason(ENOMEM)};
            if (e) av_packet_free(&encoded.packet);
        }
        if (e) freePackets(encoded);
        std::unique_lock lock(mutex_);
        if (e) setError(e);
        packets_.emplace(seq, encoded);
        --busy_;
        storeInOrder(lock);
        lock.unlock();
        changed_.notify_all();
    }
}

void VideoWriter::storeInOrder(std::unique_lock<std::mutex>& lock) {
    if (storing_) return; // the worker storing now comes to this packet too
    storing_ = true;
    for (auto next = packets_.find(storeNext_); next != packets_.end(); next = packets_.find(storeNext_)) {
        Encoded encoded = next->second;
        packets_.erase(next);
        const bool skip = error_ || (!encoded.packet && !encoded.repeat && encoded.strips.empty());
        lock.unlock();
        MaybeError e;
        const bool splicing = !skip && !encoded.strips.empty();
        if (splicing) e = splice(encoded);
        if (!skip && !e) {
            // The packet is kept for frames that repeat it; a repeat is a copy of it.
            if (encoded.repeat) {
                encoded.packet = lastPacket_ ? av_packet_clone(lastPacket_) : nullptr;
            } else {
                if (lastPacket_)
                    av_packet_unref(lastPacket_);
                else
                    lastPacket_ = av_packet_alloc();
                if (lastPacket_ && av_packet_ref(lastPacket_, encoded.packet) < 0)
                    av_packet_free(&lastPacket_);
            }
            e = encoded.packet ? encoder_.store(encoded.packet) : Error{path_, systemReason(ENOMEM)};
        }
        freePackets(encoded);
        lock.lock();
        if (e)
            setError(e);
        else if (!skip)
            ++encoded_, spliced_ += splicing;
        ++storeNext_;
        changed_.notify_all();
    }
    storing_ = false;
}

MaybeError VideoWriter::splice(Encoded& encoded) {
    std::vector<ProResStrip> strips;
    for (const auto& [first, packet] : encoded.strips)
        strips.push_back({first, packet->data, std::size_t(packet->size)});
    const bool made =
        lastPacket_ && spliceProRes(lastPacket_->data, std::size_t(lastPacket_->size), strips, splicing_);
    if (!made)
        return Error{path_,
                     QStringLiteral("the changed rows of a frame could not be put into the frame before")};
    AVPacket* packet = av_packet_alloc();
    if (!packet || av_new_packet(packet, int(splicing_.size())) < 0) {
        av_packet_free(&packet);
        return Error{path_, systemReason(ENOMEM)};
    }
    std::memcpy(packet->data, splicing_.data(), splicing_.size());
    packet->flags |= AV_PKT_FLAG_KEY;
    encoded.packet = packet;
    return std::nullopt;
}

void VideoWriter::freePackets(Encoded& encoded) {
    av_packet_free(&encoded.packet);
    for (auto& strip : encoded.strips)
        av_packet_free(&strip.second);
    encoded.strips.clear();
}

qint64 VideoWriter::spliced() const {
    std::lock_guard lock(mutex_);
    return spliced_;
}
