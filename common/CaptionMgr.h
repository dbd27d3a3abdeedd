// The caption manager: captions per model and language read on demand from a
// caption file into a cache, changed captions written back at flush, and the
// register's character table for converting register bytes to text and back.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "common/CaptionManagerBase.h"
#include "common/Profile.h"

class CCaptionMgr : public CCaptionManagerBase {
 public:
  CCaptionMgr();
  ~CCaptionMgr();
  CCaptionMgr(const CCaptionMgr&) = delete;
  CCaptionMgr& operator=(const CCaptionMgr&) = delete;

  int OpenCaptionFile(const wchar_t* folder, const wchar_t* model, const wchar_t* language) override;
  void FlushCaptions() override;
  S_ECR_CAP* GetCaption(int32_t window, int32_t caption) override;
  void SetCaption(int32_t window, int32_t caption, const S_ECR_CAP* source) override;
  int LoadCharTable(const wchar_t* folder, const wchar_t* model) override;
  void ClearCharTable() override;
  void EcrToText(const std::string& bytes, std::wstring& text) override;
  void TextToEcr(const std::wstring& text, std::string& bytes) override;

  const std::wstring& CaptionFilePath() const { return m_strCaptionPath; }
  const std::wstring& CharTablePath() const { return m_strCharTablePath; }

  // The value of a caption as it stands in the file ("\n" for line breaks)
  // and its parsed form; exposed for the tests of the file format.
  static std::wstring FormatCaptionLine(const S_ECR_CAP& caption);
  static void ParseCaptionLine(const std::wstring& line, S_ECR_CAP& caption);

 private:
  using CaptionMap = std::unordered_map<int32_t, S_ECR_CAP*>;

  // The caption file as last read, reread when the file changes on disk.
  const CProfile& CaptionProfile();
  void ReadCharTable(const std::wstring& text);

  std::wstring m_strCaptionPath;
  std::wstring m_strCharTablePath;
  int32_t m_bChanged = 0;
  std::unordered_map<int32_t, CaptionMap> m_mapCache;
  std::mutex m_mutexCache;
  std::unordered_map<uint8_t, wchar_t> m_mapCodeToChar;
  std::unordered_map<wchar_t, uint8_t> m_mapCharToCode;

  CProfile m_profile{CProfile::Encoding::Utf16Le};
  std::wstring m_strProfilePath;  // the file m_profile was read from
  int64_t m_nProfileTime = -1;
  uint64_t m_nProfileSize = 0;
};
