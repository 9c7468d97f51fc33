#include "ProgramPictures.h"

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Resources.h"

void LoadProgramPicture(TPicture& picture, const char* name) {
  RegisterProgramPictures();
  std::string bytes;
  if (!FindResourceData(name, bytes)) throw EResNotFound(std::string("Resource ") + name + " not found");
  TStringStream stream(std::move(bytes));
  picture.LoadFromStream(&stream);
}
