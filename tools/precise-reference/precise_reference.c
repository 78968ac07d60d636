/* SPDX-License-Identifier: GPL-3.0-or-later */
/* Writes the reference table of the precise astronomy's tests: for a spread
 * of births over 1901-2050, every latitude and every longitude, the Lahiri
 * ayanamsa, the sidereal longitudes of the Sun, the Moon, Mercury to Saturn,
 * the mean and the true lunar node and the ascendant, and the Sun's rising
 * and setting on the local day of the birth, upper limb with refraction and
 * disc centre without.
 *
 * It calls Swiss Ephemeris directly and by another route than Korvanta's
 * precise/ library: tropical apparent positions (no SEFLG_SIDEREAL) minus the
 * ayanamsa, the ascendant from tropical Porphyry houses minus the ayanamsa,
 * the events through swe_rise_trans with the flags written out here. (Its
 * sibling swe_rise_trans_true_hor with a horizon at 0 degrees takes another
 * method above about 58 degrees of latitude and differs there by up to 2 s.)
 * A position that the library computed without its data files ends the
 * program with status 1.
 *
 * Usage: korvanta-precise-reference COUNT [FOLDER] > TABLE
 *   COUNT births (1..100000); FOLDER of the data files, by default the
 *   one the build was given. The births are the same for the same COUNT.
 * Or:    korvanta-precise-reference - [FOLDER] < MOMENTS > TABLE
 *   the moments given, one a line: jd_ut latitude longitude day_start (the
 *   UT Julian day of the local day's midnight), for a test that knows its
 *   births' moments.
 *
 * Output: comment lines starting with '#', then one line per birth of
 * whitespace-separated numbers (degrees; UT Julian days), '-' for an event
 * that does not happen that day:
 *   jd_ut latitude longitude day_start ayanamsa sun moon mercury venus mars
 *   jupiter saturn mean_node true_node asc rise_limb set_limb rise_centre
 *   set_centre
 */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <swephexp.h>

/* 1901-01-01 00:00 UT and 2051-01-01 00:00 UT. */
#define FIRST_JD 2415385.5
#define LAST_JD 2469807.5

static unsigned long long state = 0x9E3779B97F4A7C15ULL;

/* A uniform number in [0, 1) from a 64-bit linear congruential generator. */
static double next_uniform(void) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (double)(state >> 11) / 9007199254740992.0;
}

static double normalized(double degrees) {
    double d = fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    return d >= 360.0 ? 0.0 : d;
}

static double tropical(double jd, int body) {
    double xx[6];
    char serr[AS_MAXCH] = "";
    int32 flags = swe_calc_ut(jd, body, SEFLG_SWIEPH, xx, serr);
    if (flags < 0 || (flags & SEFLG_SWIEPH) == 0) {
        fprintf(stderr, "korvanta-precise-reference: body %d at %.6f: %s\n", body, jd, serr);
        exit(1);
    }
    return xx[0];
}

static void print_event(double day_start, double lat, double lon, int32 rsmi) {
    double geopos[3] = {lon, lat, 0.0};
    double when = 0;
    char serr[AS_MAXCH] = "";
    int32 found = swe_rise_trans(day_start, SE_SUN, NULL, SEFLG_SWIEPH, rsmi, geopos, 1013.25,
                                 10.0, &when, serr);
    if (found == ERR) {
        fprintf(stderr, "korvanta-precise-reference: sun event at %.6f: %s\n", day_start, serr);
        exit(1);
    }
    if (found == 0 && when >= day_start && when < day_start + 1.0)
        printf(" %.9f", when);
    else
        printf(" -");
}

static const int bodies[] = {SE_SUN,     SE_MOON,   SE_MERCURY,   SE_VENUS,    SE_MARS,
                             SE_JUPITER, SE_SATURN, SE_MEAN_NODE, SE_TRUE_NODE};

/* One line of the table; non-zero when the library failed. */
static int print_row(double jd, double lat, double lon, double day_start) {
    double aya = 0;
    char serr[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(jd, SEFLG_SWIEPH, &aya, serr) < 0) {
        fprintf(stderr, "korvanta-precise-reference: ayanamsa: %s\n", serr);
        return 1;
    }
    printf("%.9f %.9f %.9f %.9f %.9f", jd, lat, lon, day_start, aya);
    for (size_t b = 0; b < sizeof bodies / sizeof bodies[0]; ++b)
        printf(" %.9f", normalized(tropical(jd, bodies[b]) - aya));

    double cusps[13], ascmc[10];
    if (swe_houses_ex(jd, 0, lat, lon, 'O', cusps, ascmc) < 0) {
        fprintf(stderr, "korvanta-precise-reference: houses at %.6f\n", jd);
        return 1;
    }
    printf(" %.9f", normalized(ascmc[0] - aya));

    print_event(day_start, lat, lon, SE_CALC_RISE);
    print_event(day_start, lat, lon, SE_CALC_SET);
    print_event(day_start, lat, lon, SE_CALC_RISE | SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION);
    print_event(day_start, lat, lon, SE_CALC_SET | SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION);
    printf("\n");
    return 0;
}

int main(int argc, char** argv) {
    int given = argc > 1 && strcmp(argv[1], "-") == 0;
    long count = argc > 1 && !given ? strtol(argv[1], NULL, 10) : 0;
    if (argc < 2 || argc > 3 || (!given && (count < 1 || count > 100000))) {
        fprintf(stderr, "usage: korvanta-precise-reference COUNT|- [FOLDER] > TABLE\n");
        return 2;
    }
    swe_set_ephe_path(argc > 2 ? argv[2] : KORVANTA_SWE_EPHE_PATH);
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);

    printf("# Reference positions for tests/precise, Swiss Ephemeris called directly\n");
    if (given)
        printf("# Regenerate: korvanta-precise-reference - < MOMENTS > TABLE\n");
    else
        printf("# Regenerate: korvanta-precise-reference %ld > TABLE\n", count);
    printf("# jd_ut latitude longitude day_start ayanamsa sun moon mercury venus mars jupiter"
           " saturn mean_node true_node asc rise_limb set_limb rise_centre set_centre\n");
    if (given) {
        double jd, lat, lon, day_start;
        int read;
        while ((read = scanf("%lf %lf %lf %lf", &jd, &lat, &lon, &day_start)) == 4) {
            if (print_row(jd, lat, lon, day_start) != 0) return 1;
        }
        if (read != EOF) {
            fprintf(stderr, "korvanta-precise-reference: a moment line is not four numbers\n");
            return 2;
        }
    }
    for (long k = 0; k < count; ++k) {
        double jd = FIRST_JD + next_uniform() * (LAST_JD - FIRST_JD);
        /* Latitudes up to 89.9 degrees either side, longitudes all round. */
        double lat = -89.9 + next_uniform() * 179.8;
        double lon = -180.0 + next_uniform() * 360.0;
        /* The first births sit at the ends of the span and near the poles. */
        if (k == 0) { jd = FIRST_JD; lat = 89.9; lon = -180.0; }
        if (k == 1) { jd = LAST_JD - 1.0 / 1440.0; lat = -89.9; lon = 180.0; }
        if (k == 2) { lat = 0.0; lon = 0.0; }
        /* The local day: midnight of a clock that runs lon / 15 hours ahead
           of UT, rounded to the hour. */
        double zone = floor(lon / 15.0 + 0.5) / 24.0;
        double day_start = floor(jd + zone - 0.5) + 0.5 - zone;

        if (print_row(jd, lat, lon, day_start) != 0) return 1;
    }
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "korvanta-precise-reference: writing the table failed\n");
        return 1;
    }
    swe_close();
    return 0;
}
