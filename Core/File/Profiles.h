#pragma once

#include <tinyxml2.h>

#include <memory>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Base/WString.h"

inline const base::WString kProfilesFileName = u"profiles.xml";
// Selected when the document holds no profile to select.
inline const base::WString kDefaultProfileName = u"Player01234567890123456789";
// Raised when "profiles.xml" could not be read; the main menu tells the player
// once and clears it.
inline bool ProfilesCorruptFlag = false;

namespace file {

// Every player profile, kept in "profiles.xml" of the per-user folder: a
// "Profiles" root naming the current profile, and one "Profile" element per
// player. The player-profile code reads and writes the current element's
// children itself and saves after each change.
class Profiles : public base::Singletone<Profiles> {
 public:
  ~Profiles() override;

  std::vector<base::SingletoneBase*> GetDependencies() override;

  // Afterwards there is always a root and a current profile. A file that is
  // not a profiles document is moved aside first, to "profiles.xml.corrupt" or,
  // when that is taken, "profiles.xml.corrupt.2" and on. A file that cannot be
  // opened is left alone and never saved over.
  void Load();
  // 0 on success. The file is replaced whole or not at all, and only by a
  // document that reads back the same.
  int Save();

  // A profile without a name reads as named "".
  tinyxml2::XMLElement* FindProfile(const base::WString& name);
  std::vector<base::WString> GetProfileNames();
  base::WString GetCurrentProfileName();
  // The player-profile code reaches the document and the root through it.
  tinyxml2::XMLElement* GetCurrentProfile() { return current_; }

  // Creates the profile when no profile has that name.
  void SetCurrentProfile(const base::WString& name);
  void RenameCurrentProfile(const base::WString& name);
  void DeleteProfile(const base::WString& name);

  // A second instance that quits at start must not save over the first one's
  // profiles at exit; the application object is gone by then, so it tells us
  // during start-up.
  void SetAlreadyRunning(bool alreadyRunning) { alreadyRunning_ = alreadyRunning; }

 private:
  void ReadDocument();
  void KeepCorruptFileAside();
  // The first profile, or a new default one when there is none.
  void SelectFirstProfile();

  std::unique_ptr<tinyxml2::XMLDocument> document_;
  tinyxml2::XMLElement* root_ = nullptr;
  tinyxml2::XMLElement* current_ = nullptr;
  bool alreadyRunning_ = false;
  // Set while a file that could not be read or moved aside is in the way:
  // saving would destroy it.
  bool saveBlocked_ = false;
};

}  // namespace file
