#include "streaming/HttpSourceFilter.h"

#include "media/MediaTypes.h"
#include "streaming/HttpStream.h"
#include "streaming/StreamSniff.h"


namespace zv::net {

// {AC40C755-E979-46CA-A972-08AD1B0BA8D2}
const GUID CLSID_ZvHttpSource = {0xac40c755, 0xe979, 0x46ca, {0xa9, 0x72, 0x08, 0xad, 0x1b, 0x0b, 0xa8, 0xd2}};

namespace {

// The subtype that lets a splitter registered for one container take the
// stream; splitters that look for themselves accept any subtype.
GUID SubtypeOf(Container container) {
  switch (container) {
    case Container::kAvi:
      return MEDIASUBTYPE_Avi;
    case Container::kWave:
      return MEDIASUBTYPE_WAVE;
    case Container::kMpegSystem:
      return MEDIASUBTYPE_MPEG1System;
    case Container::kMpegVideo:
      return MEDIASUBTYPE_MPEG1Video;
    case Container::kMpegAudio:
      return MEDIASUBTYPE_MPEG1Audio;
    case Container::kUnknown:
      break;
  }
  return GUID_NULL;
}

AM_MEDIA_TYPE StreamType(const GUID& subtype) {
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Stream;
  type.subtype = subtype;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = 1;
  return type;
}


}  // namespace

HttpSourceFilter* HttpSourceFilter::Create(std::shared_ptr<HttpStream> stream, const std::wstring& name) {
  if (!stream) return nullptr;
  return new HttpSourceFilter(std::move(stream), name);
}

HttpSourceFilter::HttpSourceFilter(std::shared_ptr<HttpStream> stream, const std::wstring& name)
    : SourceFilterBase(CLSID_ZvHttpSource, kOutputPinName, name), stream_(std::move(stream)), pin_(*this) {
  const StreamInfo info = stream_->Info();
  const GUID sniffed = SubtypeOf(SniffContainer(info.head.data(), info.head.size()));
  if (sniffed != GUID_NULL) pin_.types.push_back(StreamType(sniffed));
  pin_.types.push_back(StreamType(GUID_NULL));
}

HttpSourceFilter::~HttpSourceFilter() { stream_->Abort(); }

IPin* HttpSourceFilter::OutputPin() { return &pin_; }

}  // namespace zv::net
