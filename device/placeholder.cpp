// Replaced when the first source lands.
