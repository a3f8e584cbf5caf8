-- Words kept out of player-entered text (profile names). "?" in a pattern
-- stands for any one character; letters match in either case.
Swear =
{
	{ From = { "damn", "dammit" }, To = "darn" },
	{ From = "hell", To = "heck" },
	{ From = { "crap", "cr?p" }, To = "***" },
	{ From = { "bastard", "b?stard" }, To = "rascal" },
	{ From = "idiot", To = "camel" },
}
