#!/usr/bin/env python3
"""Writes the bundled exercises of content/: the getting-started file, the exercise files
(".E21"), their statements and corrections (RTF) and configurations (".P09").

Run from the repository's root: python3 scripts/make_content.py
"""
import os

OUT = os.path.join(os.path.dirname(__file__), '..', 'content')
RECORD = 128


def record_file(records):
    data = bytearray()
    for text in records:
        raw = text.encode('cp1252')
        assert len(raw) <= RECORD - 2, text
        data += len(raw).to_bytes(2, 'little') + raw + bytes(RECORD - 2 - len(raw))
    return bytes(data)


def write(name, data):
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)


# The start-up switches of the bench, Check1(0) to Check1(17).
DEFAULT_OPTIONS = [1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1]
AXIS_LENGTHS = [50, 60, 70, 80, 90, 100, 200, 300, 400, 500, 1000, 2000, 5000]


def configuration(fields, precision=0, axis_step=1, infinity=False, apparent=100, options=None):
    """fields: L1 position, f1, L2 position, f2, object position, object height, D1, D2."""
    opts = list(DEFAULT_OPTIONS)
    for k, v in (options or {}).items():
        opts[k] = v
    diameter = round(float(fields[6].replace(',', '.')) * 10)
    records = ['FOCALINES', f' {precision}', f' {axis_step}', f' {AXIS_LENGTHS[axis_step]}',
               ' 12.5', ' 5', f' {diameter}', f' {apparent}', '1' if infinity else '0']
    records += [str(v) for v in opts]
    records += fields
    assert len(records) == 35
    return record_file(records)


def exercise(statement, config, correction, correction_config, difficulty, topics, title,
             hourglasses):
    topics = (topics + ['', '', '', ''])[:4]
    return record_file([statement, config, correction, correction_config, f' {difficulty}', '']
                       + topics + [title, f' {hourglasses}'])


def rtf_text(text):
    # French spacing: no line break inside « … » nor before a colon, semicolon or question mark.
    for plain, bound in (('« ', '«\xa0'), (' »', '\xa0»'), (' :', '\xa0:'), (' ;', '\xa0;'),
                         (' ?', '\xa0?')):
        text = text.replace(plain, bound)
    out = []
    for ch in text:
        if ch in '\\{}':
            out.append('\\' + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            out.append("\\'%02x" % ch.encode('cp1252')[0])
    return ''.join(out)


def rtf(paragraphs):
    """paragraphs: (style, text) with style 'title', 'head', 'text' or 'question'."""
    parts = [r'{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}'
             r'{\colortbl;\red0\green0\blue0;\red0\green0\blue200;\red160\green0\blue0;}'
             '\n']
    number = 0
    for style, text in paragraphs:
        if style == 'title':
            parts.append(r'\pard\qc\sa120\f0\fs32\cf2\b ' + rtf_text(text) + r'\b0\par' + '\n')
        elif style == 'head':
            parts.append(r'\pard\ql\sb120\sa60\f0\fs22\cf3\b ' + rtf_text(text) + r'\b0\par'
                         + '\n')
        elif style == 'question':
            number += 1
            parts.append(r'\pard\ql\li300\fi-300\sa60\f0\fs20\cf1\b ' + f'{number}. ' + r'\b0 '
                         + rtf_text(text) + r'\par' + '\n')
        else:
            parts.append(r'\pard\ql\li150\sa60\f0\fs20\cf1 ' + rtf_text(text) + r'\par' + '\n')
    parts.append('}\n')
    return ''.join(parts).encode('ascii')


IMAGES_HIDDEN = {2: 0}

EXERCISES = []


def add(key, title, difficulty, hourglasses, topics, statement, config, correction=None,
        correction_config=None):
    EXERCISES.append((key, title, difficulty, hourglasses, topics, statement, config, correction,
                      correction_config))


add('01-image-reelle', "Image réelle d'un objet et relation de conjugaison", 1, 1,
    ['Lentille convergente, ', 'image réelle, ', 'relation de conjugaison'],
    [('title', "Exercice 1 : image réelle d'un objet"),
     ('text', "Un objet AB de hauteur 2,0 cm est placé perpendiculairement à l'axe optique, son "
              "pied A sur l'axe à la graduation 0,0 cm du banc. Une lentille convergente L1 de "
              "distance focale f' = 10,0 cm est placée à la graduation 20,0 cm."),
     ('text', "L'affichage des images est désactivé : à vous de les trouver."),
     ('question', "Calculer la position algébrique OA de l'objet par rapport au centre optique O "
                  "de la lentille."),
     ('question', "À l'aide de la relation de conjugaison 1/OA' - 1/OA = 1/f', calculer OA'. En "
                  "déduire la graduation du banc où se forme l'image A'B'."),
     ('question', "L'image est-elle réelle ou virtuelle ? Droite ou renversée ?"),
     ('question', "Vérifier vos réponses en cochant « Afficher les images » dans l'onglet "
                  "Affichage, puis en lisant les positions dans l'onglet Objets et images.")],
    configuration(['20,0', '10,0', '48,0', '10,0', '0,0', '2,0', '8,0', '8,0'],
                  options=IMAGES_HIDDEN),
    [('title', "Corrigé de l'exercice 1"),
     ('question', "OA = 0,0 - 20,0 = -20,0 cm (l'objet est à gauche de la lentille)."),
     ('question', "1/OA' = 1/f' + 1/OA = 1/10,0 - 1/20,0 = 1/20,0, donc OA' = 20,0 cm. L'image "
                  "se forme à la graduation 20,0 + 20,0 = 40,0 cm : le simulateur affiche "
                  "40,0 cm."),
     ('question', "OA' > 0 : l'image est réelle, on peut la recueillir sur un écran. Le "
                  "grandissement vaut OA'/OA = -1 : l'image est renversée et de même taille, "
                  "A'B' = -2,0 cm."),
     ('question', "Les lectures du simulateur sont 40,0 cm pour la position et -2,0 cm pour la "
                  "hauteur.")],
    configuration(['20,0', '10,0', '48,0', '10,0', '0,0', '2,0', '8,0', '8,0']))

add('02-grandissement', "Grandissement et taille de l'image", 1, 1,
    ['Grandissement, ', "taille de l'image"],
    [('title', "Exercice 2 : grandissement et taille de l'image"),
     ('text', "Un objet AB de hauteur 3,0 cm a son pied A à la graduation 0,0 cm. Une lentille "
              "convergente de distance focale f' = 10,0 cm est placée à la graduation 25,0 cm."),
     ('question', "Calculer OA puis OA'."),
     ('question', "Calculer le grandissement G = OA'/OA."),
     ('question', "En déduire la hauteur algébrique A'B' de l'image."),
     ('question', "L'image est-elle plus grande ou plus petite que l'objet ? Déplacer ensuite la "
                  "lentille avec la souris : pour quelle position l'image a-t-elle la même "
                  "taille que l'objet ?")],
    configuration(['25,0', '10,0', '48,0', '10,0', '0,0', '3,0', '8,0', '8,0'],
                  options=IMAGES_HIDDEN),
    [('title', "Corrigé de l'exercice 2"),
     ('question', "OA = -25,0 cm ; 1/OA' = 1/10,0 - 1/25,0 = 3/50, donc OA' = 16,7 cm : "
                  "l'image est à la graduation 41,7 cm."),
     ('question', "G = 16,7 / (-25,0) = -0,67."),
     ('question', "A'B' = G x AB = -0,67 x 3,0 = -2,0 cm (le simulateur affiche -2,0 cm)."),
     ('question', "L'image est plus petite que l'objet et renversée. Elle a la même taille que "
                  "l'objet quand OA = -2f' = -20,0 cm, c'est-à-dire lentille à la graduation "
                  "20,0 cm.")],
    configuration(['25,0', '10,0', '48,0', '10,0', '0,0', '3,0', '8,0', '8,0']))

add('03-loupe', "Image virtuelle : la loupe", 1, 2,
    ['Image virtuelle, ', 'loupe'],
    [('title', "Exercice 3 : la loupe"),
     ('text', "On observe un petit objet AB de hauteur 1,0 cm, dont le pied A est à la "
              "graduation 10,0 cm, à travers une loupe : une lentille convergente de distance "
              "focale f' = 10,0 cm placée à la graduation 16,0 cm."),
     ('question', "L'objet est-il placé avant ou après le foyer objet F de la lentille ?"),
     ('question', "Calculer OA' et la graduation de l'image."),
     ('question', "Calculer le grandissement et la hauteur de l'image. L'image est-elle droite "
                  "ou renversée, réelle ou virtuelle ?"),
     ('question', "Cocher « Prolonger les rayons » et « Afficher images virtuelles » pour "
                  "visualiser la construction.")],
    configuration(['16,0', '10,0', '48,0', '10,0', '10,0', '1,0', '8,0', '8,0'],
                  options=IMAGES_HIDDEN),
    [('title', "Corrigé de l'exercice 3"),
     ('question', "OA = 10,0 - 16,0 = -6,0 cm : l'objet est entre le foyer objet (OF = -10,0 cm) "
                  "et la lentille."),
     ('question', "1/OA' = 1/10,0 - 1/6,0 = -1/15, donc OA' = -15,0 cm : l'image est à la "
                  "graduation 16,0 - 15,0 = 1,0 cm, du même côté que l'objet."),
     ('question', "G = OA'/OA = 2,5 ; A'B' = 2,5 cm : l'image est droite, agrandie et "
                  "virtuelle. Le simulateur affiche 1,0 cm et 2,5 cm."),
     ('question', "Les rayons émergents ne se coupent pas : ce sont leurs prolongements, en "
                  "pointillés, qui se coupent en B'.")],
    configuration(['16,0', '10,0', '48,0', '10,0', '10,0', '1,0', '8,0', '8,0']))

add('04-objet-infini', "Objet à l'infini : plan focal et diamètre apparent", 2, 2,
    ["Objet à l'infini, ", 'plan focal image, ', 'diamètre apparent'],
    [('title', "Exercice 4 : objet à l'infini"),
     ('text', "Un objet très éloigné (une tour à l'horizon) est vu sous un diamètre apparent "
              "de 5,0°. Une lentille convergente de distance focale f' = 20,0 cm est placée à la "
              "graduation 20,0 cm. Les positions sont données à 0,01 cm près."),
     ('question', "Où se forme l'image d'un objet à l'infini ? En déduire la graduation de "
                  "l'image."),
     ('question', "Montrer que la hauteur de l'image vérifie A'B' = -f' x tan(a), où a est le "
                  "diamètre apparent."),
     ('question', "Calculer A'B'."),
     ('question', "Que devient l'image si l'on remplace la lentille par une lentille de "
                  "distance focale 10,0 cm ?")],
    configuration(['20,00', '20,00', '48,00', '10,00', '0,00', '3,00', '8,00', '8,00'],
                  precision=1, infinity=True, apparent=50),
    [('title', "Corrigé de l'exercice 4"),
     ('question', "Les rayons issus d'un point à l'infini arrivent parallèles entre eux : "
                  "l'image se forme dans le plan focal image, à OA' = f' = 20,00 cm, soit à la "
                  "graduation 40,00 cm."),
     ('question', "Le rayon issu de B qui passe par O n'est pas dévié et fait l'angle a avec "
                  "l'axe ; il coupe le plan focal en B', d'où A'B' = -f' x tan(a)."),
     ('question', "A'B' = -20,00 x tan(5,0°) = -1,75 cm : le simulateur affiche -1,75 cm."),
     ('question', "L'image reste dans le plan focal, désormais à 10,00 cm de la lentille, et "
                  "sa taille est divisée par deux.")],
    configuration(['20,00', '20,00', '48,00', '10,00', '0,00', '3,00', '8,00', '8,00'],
                  precision=1, infinity=True, apparent=50))

add('05-focale', "Déterminer une distance focale par deux mesures", 2, 2,
    ['Mesure de distance focale, ', 'relation de conjugaison'],
    [('title', "Exercice 5 : mesurer une distance focale"),
     ('text', "On ne connaît pas la distance focale d'une lentille convergente. On place "
              "l'objet (A à la graduation 0,0 cm, AB = 2,0 cm) et la lentille à la graduation "
              "30,0 cm. On cherche l'écran : l'image nette se forme à la graduation 50,0 cm."),
     ('question', "Calculer OA et OA'."),
     ('question', "En déduire la distance focale f' de la lentille à l'aide de la relation de "
                  "conjugaison."),
     ('question', "Calculer la hauteur de l'image A'B'."),
     ('question', "Vérifier : ouvrir l'onglet Lentilles et lire la distance focale de L1.")],
    configuration(['30,0', '12,0', '48,0', '10,0', '0,0', '2,0', '8,0', '8,0']))

add('06-appareil-photo', "L'appareil photographique : mise au point", 2, 3,
    ['Appareil photographique, ', 'mise au point, ', 'tirage'],
    [('title', "Exercice 6 : l'appareil photographique"),
     ('text', "On modélise l'objectif d'un appareil photographique par une lentille convergente "
              "de distance focale f' = 5,00 cm, placée à la graduation 50,00 cm. Le capteur est "
              "un écran placé derrière la lentille. Les positions sont données à 0,01 cm près."),
     ('question', "On photographie un objet très éloigné. À quelle distance de l'objectif "
                  "faut-il placer le capteur ?"),
     ('question', "On photographie maintenant un objet AB de hauteur 4,00 cm dont le pied est à "
                  "la graduation 0,00 cm. Calculer OA' et la graduation de l'image."),
     ('question', "L'objet est rapproché à la graduation 35,00 cm. Calculer la nouvelle "
                  "position de l'image et sa hauteur."),
     ('question', "De combien faut-il éloigner l'objectif du capteur pour faire la mise au "
                  "point sur l'objet proche ?")],
    configuration(['50,00', '5,00', '55,00', '10,00', '0,00', '4,00', '4,00', '8,00'],
                  precision=1),
    [('title', "Corrigé de l'exercice 6"),
     ('question', "L'image d'un objet à l'infini est dans le plan focal image : le capteur est à "
                  "5,00 cm de l'objectif."),
     ('question', "OA = -50,00 cm ; 1/OA' = 1/5,00 - 1/50,00 = 9/50, donc OA' = 5,56 cm : "
                  "l'image est à la graduation 55,56 cm et mesure -0,44 cm."),
     ('question', "OA = -15,00 cm ; 1/OA' = 1/5,00 - 1/15,00 = 2/15, donc OA' = 7,50 cm : "
                  "l'image est à la graduation 57,50 cm et mesure -2,00 cm (configuration de "
                  "ce corrigé)."),
     ('question', "Le tirage passe de 5,56 cm à 7,50 cm : il faut éloigner l'objectif du "
                  "capteur de 1,94 cm.")],
    configuration(['50,00', '5,00', '55,00', '10,00', '35,00', '4,00', '4,00', '8,00'],
                  precision=1))

add('07-deux-lentilles', "Deux lentilles : un microscope simplifié", 3, 3,
    ['Association de deux lentilles, ', 'image intermédiaire, ', 'microscope'],
    [('title', "Exercice 7 : un microscope simplifié"),
     ('text', "Un objet AB de hauteur 0,5 cm a son pied à la graduation 5,0 cm. L'objectif L1 "
              "(f'1 = 4,0 cm) est à la graduation 10,0 cm, l'oculaire L2 (f'2 = 5,0 cm) à la "
              "graduation 33,0 cm."),
     ('question', "Calculer la position et la hauteur de l'image intermédiaire A1B1 donnée "
                  "par L1."),
     ('question', "A1B1 sert d'objet pour L2. Calculer O2A1, puis la position de l'image "
                  "finale A2B2."),
     ('question', "Calculer la hauteur de A2B2. L'image finale est-elle réelle ou "
                  "virtuelle ?"),
     ('question', "Comparer avec les lectures du simulateur (onglet Objets et images).")],
    configuration(['10,0', '4,0', '33,0', '5,0', '5,0', '0,5', '8,0', '8,0'],
                  options={6: 1, 10: 1}))

add('08-lunette', "Système afocal : la lunette astronomique", 3, 4,
    ['Système afocal, ', 'lunette astronomique, ', 'grossissement'],
    [('title', "Exercice 8 : la lunette astronomique"),
     ('text', "Une lunette astronomique est formée d'un objectif L1 (f'1 = 30,00 cm) placé à la "
              "graduation 10,00 cm et d'un oculaire L2 (f'2 = 10,00 cm) placé à la graduation "
              "50,00 cm. Elle vise une étoile double vue sous le diamètre apparent a = 1,0°."),
     ('question', "Où se forme l'image intermédiaire A1B1 ? Calculer sa hauteur."),
     ('question', "Montrer que le foyer image de L1 et le foyer objet de L2 sont confondus. "
                  "Où se forme l'image finale ? Pourquoi dit-on que la lunette est afocale ?"),
     ('question', "Calculer l'angle a' sous lequel on voit l'image finale, puis le "
                  "grossissement G = a'/a."),
     ('question', "Montrer que G = f'1/f'2.")],
    configuration(['10,00', '30,00', '50,00', '10,00', '0,00', '3,00', '8,00', '4,00'],
                  precision=1, infinity=True, apparent=10, options={6: 1, 10: 1}),
    [('title', "Corrigé de l'exercice 8"),
     ('question', "L'objet est à l'infini : A1B1 est dans le plan focal image de L1, à la "
                  "graduation 10,00 + 30,00 = 40,00 cm, et A1B1 = -f'1 x tan(a) = -0,52 cm."),
     ('question', "F'1 est à 40,00 cm, F2 à 50,00 - 10,00 = 40,00 cm : ils sont confondus. A1B1 "
                  "est dans le plan focal objet de L2, donc l'image finale est rejetée à "
                  "l'infini (le simulateur affiche « Hors limites ») : un objet à l'infini donne "
                  "une image à l'infini, le système est afocal."),
     ('question', "tan(a') = 0,52 / 10,00, soit a' = 3,0° ; G = a'/a = 3,0."),
     ('question', "tan(a) = A1B1/f'1 et tan(a') = A1B1/f'2, donc pour de petits angles "
                  "G = f'1/f'2 = 30,00/10,00 = 3,0.")],
    configuration(['10,00', '30,00', '50,00', '10,00', '0,00', '3,00', '8,00', '4,00'],
                  precision=1, infinity=True, apparent=10, options={6: 1, 10: 1}))


GETTING_STARTED = [
    ('title', 'Prise en main de Focalines'),
    ('text', "Cette activité vous fait découvrir chaque commande du simulateur. Vous pouvez "
             "écrire vos remarques dans cette fenêtre, puis les enregistrer."),
    ('head', 'Le banc et la souris'),
    ('question', "Avec la souris, faites glisser l'objet AB le long de l'axe : l'image A'B' et "
                 "les rayons suivent aussitôt. Faites glisser ensuite la lentille L1."),
    ('head', 'Les quatre onglets'),
    ('question', "Onglet « Objets et images » : tapez 2,0 pour la hauteur de l'objet puis "
                 "Entrée ; lisez la position et la hauteur de l'image. Cochez « Objet à "
                 "l'infini » et réglez son diamètre apparent avec le curseur."),
    ('question', "Onglet « Lentilles » : changez la distance focale de L1, puis cochez "
                 "« Utiliser deux lentilles » pour ajouter L2."),
    ('question', "Onglet « Affichage » : affichez ou masquez les images, les faisceaux et la "
                 "graduation ; changez la longueur de l'axe avec - et +, et le nombre de "
                 "décimales des positions."),
    ('question', "Onglet « Construction » : choisissez les rayons de construction, leurs "
                 "prolongements et le sens de propagation."),
    ('head', 'Les boutons'),
    ('question', "« Enregistrer » garde la situation dans un fichier .P09 ; « Ouvrir » la "
                 "retrouve. « Copier » place la figure dans le presse-papiers, « Imprimer » "
                 "l'imprime."),
    ('question', "« Calculatrice » ouvre une machine à calculer scientifique : calculez-y "
                 "1/(1/10-1/30) par exemple."),
    ('head', 'Les exercices'),
    ('question', "Le bouton « Exercices » au-dessus de cette fenêtre ouvre le menu des "
                 "exercices : « Ouvrir un exercice » affiche un énoncé et règle le banc, « Voir "
                 "la correction » montre le corrigé, « Fermer l'exercice » revient à l'accueil."),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    write('prise-en-main.rtf', rtf(GETTING_STARTED))
    write('prise-en-main.P09',
          configuration(['15,0', '10,0', '48,0', '10,0', '0,0', '3,0', '8,0', '8,0']))
    write('focalines.PEM', exercise('prise-en-main.rtf', 'prise-en-main.P09', '', '', 0,
                                    ['Prise en main du simulateur'], 'Prise en main', 1))
    for (key, title, difficulty, hourglasses, topics, statement, config, correction,
         correction_config) in EXERCISES:
        names = [key + '-enonce.rtf', key + '-enonce.P09', '', '']
        write(names[0], rtf(statement))
        write(names[1], config)
        if correction:
            names[2:] = [key + '-corrige.rtf', key + '-corrige.P09']
            write(names[2], rtf(correction))
            write(names[3], correction_config)
        write(key + '.E21', exercise(*names, difficulty, topics, title, hourglasses))


main()
