#!/usr/bin/env bash
# A dotfiles script of the usual shape: settings for a new Mac, read by the import and never run.

# Close System Settings, so it does not override what follows.
osascript -e 'tell application "System Settings" to quit'

# Ask for the administrator password up front
sudo -v

###############################################################################
# Dock                                                                        #
###############################################################################

defaults write com.apple.dock tilesize -int 36
defaults write com.apple.dock autohide -bool true
defaults write com.apple.dock autohide-delay -float 0
defaults write com.apple.Dock autohide-time-modifier -int 0
defaults write com.apple.dock show-recents -int 0
defaults write com.apple.dock orientation left
defaults write com.apple.dock wvous-tl-corner -int 2
defaults write com.apple.dock persistent-apps -array

###############################################################################
# Keyboard, language                                                          #
###############################################################################

defaults write NSGlobalDomain KeyRepeat -int 1
defaults write -g InitialKeyRepeat -int 10 && \
  defaults write -g ApplePressAndHoldEnabled -bool false
defaults write -g AppleFirstWeekday -dict gregorian -int 2
defaults -currentHost write NSGlobalDomain com.apple.mouse.tapBehavior -int 1
defaults write NSGlobalDomain AppleMeasurementUnits -string "Centimeters"

###############################################################################
# Finder, screenshots                                                         #
###############################################################################

defaults write com.apple.finder ShowPathbar -bool true    # the path at the bottom
defaults write com.apple.finder FXPreferredViewStyle -string "Nlsv"
defaults write com.apple.screencapture location -string "${HOME}/Desktop"
defaults write com.apple.screencapture type -string "webp"
sudo defaults write /Library/Preferences/com.apple.loginwindow showInputMenu -bool true
defaults write com.apple.menuextra.clock DateFormat -string 'EEE d MMM  HH:mm'

# A later write of the same setting wins.
if [ "$(uname -m)" = "arm64" ]; then
  defaults write com.apple.dock tilesize -int 48
fi

for app in "Dock" "Finder"; do
  killall "${app}" &> /dev/null
done
