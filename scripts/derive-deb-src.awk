# Turns the machine's Debian archive entries (deb822 stanzas) into deb-src entries, so
# that source packages come from the same mirror, suites and components as binaries do.
BEGIN { RS = ""; ORS = "\n\n" }
{
    types = ""; debian = 0
    n = split($0, lines, "\n")
    for (i = 1; i <= n; i++) {
        if (lines[i] ~ /^Types:/) types = lines[i]
        if (lines[i] ~ /^Signed-By:.*debian-archive-keyring/) debian = 1
        if (lines[i] ~ /^URIs:.*\/debian\/?$/) debian = 1
        if (lines[i] ~ /^Enabled:[ \t]*no/) next
    }
    if (types !~ /[ \t]deb([ \t]|$)/ || types ~ /deb-src/ || !debian) next
    out = ""
    for (i = 1; i <= n; i++) {
        if (lines[i] ~ /^#/) continue
        line = lines[i]
        if (line ~ /^Types:/) line = "Types: deb-src"
        out = out line "\n"
    }
    printf "%s\n", out
}
