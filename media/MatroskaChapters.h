#pragma once
// The chapter interface of the outside Matroska splitter (identifier
// IID_ZvMatroskaChapters in MediaGuids.h): chapters form a tree under the
// root chapter 0; each has an id, an info record and a name per language.
#include "framework/WinInclude.h"

#include <dshow.h>

#pragma pack(push, 1)
struct ZvChapterElement {
  WORD size;  // of this record: 23
  BYTE type;
  UINT chapterId;
  REFERENCE_TIME start;
  REFERENCE_TIME stop;
};
#pragma pack(pop)
static_assert(sizeof(ZvChapterElement) == 23, "the splitter fills a packed record of 23 bytes");

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct IZvChapterInfo : public IUnknown {
  virtual UINT STDMETHODCALLTYPE GetChapterCount(UINT chapterId) = 0;
  virtual UINT STDMETHODCALLTYPE GetChapterId(UINT parentId, UINT index) = 0;
  virtual UINT STDMETHODCALLTYPE GetChapterCurrentId() = 0;
  virtual BOOL STDMETHODCALLTYPE GetChapterInfo(UINT chapterId, ZvChapterElement* info) = 0;
  virtual BSTR STDMETHODCALLTYPE GetChapterStringInfo(UINT chapterId, CHAR preferredLanguage[3],
                                                      CHAR countryCode[3]) = 0;
};
#pragma GCC diagnostic pop
