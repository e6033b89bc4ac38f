#include "mail_message.h"

#include <gmime/gmime.h>

#include <memory>
#include <mutex>

#include "media_types.h"

namespace platform::programs {

namespace {

// GMime's objects are reference counted; each handle here holds one.
struct ObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

struct FormatOptionsFree {
  void operator()(GMimeFormatOptions* options) const { g_mime_format_options_free(options); }
};
struct DateTimeUnref {
  void operator()(GDateTime* date) const { g_date_time_unref(date); }
};

constexpr char kOwnerName[] = "Handheld Owner";
constexpr char kOwnerAddress[] = "owner@handheld.invalid";
constexpr char kMessageIdDomain[] = "handheld.invalid";

void InitializeGMimeOnce() {
  // Left initialised for the process's life: programs of several handhelds
  // may compose at once, and GMime's own start and end are not thread-safe.
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

GObjectPtr<GMimeTextPart> TextPart(const std::string& text) {
  GObjectPtr<GMimeTextPart> part(g_mime_text_part_new_with_subtype("plain"));
  g_mime_text_part_set_text(part.get(), text.c_str());
  return part;
}

GObjectPtr<GMimePart> FilePart(const Attachment& attachment) {
  const MediaType media = MediaTypeOf(attachment.file_name);
  GObjectPtr<GMimePart> part(g_mime_part_new_with_type(std::string(media.type).c_str(),
                                                       std::string(media.subtype).c_str()));
  g_mime_object_set_disposition(GMIME_OBJECT(part.get()), GMIME_DISPOSITION_ATTACHMENT);
  g_mime_part_set_filename(part.get(), attachment.file_name.c_str());
  GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(
      reinterpret_cast<const char*>(attachment.contents.data()), attachment.contents.size()));
  GObjectPtr<GMimeDataWrapper> content(
      g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(part.get(), content.get());
  g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_BASE64);
  return part;
}

}  // namespace

std::vector<std::byte> ComposeMessage(const Attachment& attachment, const SYSTEMTIME& date,
                                      std::string_view mailer) {
  InitializeGMimeOnce();
  GObjectPtr<GMimeMessage> message(g_mime_message_new(TRUE));
  g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, kOwnerName, kOwnerAddress);
  g_mime_message_set_subject(message.get(), attachment.file_name.c_str(), "utf-8");
  const std::unique_ptr<GDateTime, DateTimeUnref> when(g_date_time_new_utc(
      date.wYear, date.wMonth, date.wDay, date.wHour, date.wMinute, date.wSecond));
  if (when) g_mime_message_set_date(message.get(), when.get());
  const std::unique_ptr<char, decltype(&g_free)> id(
      g_mime_utils_generate_message_id(kMessageIdDomain), &g_free);
  g_mime_message_set_message_id(message.get(), id.get());
  g_mime_object_set_header(GMIME_OBJECT(message.get()), "X-Mailer", std::string(mailer).c_str(),
                           "utf-8");

  GObjectPtr<GMimeMultipart> body(g_mime_multipart_new_with_subtype("mixed"));
  GObjectPtr<GMimeTextPart> text = TextPart("Attached: " + attachment.file_name + "\n");
  g_mime_multipart_add(body.get(), GMIME_OBJECT(text.get()));
  GObjectPtr<GMimePart> file = FilePart(attachment);
  g_mime_multipart_add(body.get(), GMIME_OBJECT(file.get()));
  g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(body.get()));

  const std::unique_ptr<GMimeFormatOptions, FormatOptionsFree> format(g_mime_format_options_new());
  g_mime_format_options_set_newline_format(format.get(), GMIME_NEWLINE_FORMAT_DOS);
  GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
  g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), format.get(), out.get());
  g_mime_stream_flush(out.get());
  const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
  const auto* first = reinterpret_cast<const std::byte*>(bytes->data);
  return std::vector<std::byte>(first, first + bytes->len);
}

}  // namespace platform::programs
