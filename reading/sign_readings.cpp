// SPDX-License-Identifier: GPL-3.0-or-later
// The reading paragraphs of the twelve signs: looks, nature, career and
// finance, love and domestic life, health. Each is one paragraph without line
// breaks; the result window wraps it.
#include "reading/sign_readings.h"

namespace korvanta {

constexpr std::array<SignReadings, 12> kSignReadings = {{
    // Aries
    {
        "You may be slim and of medium complexion. You have a long neck and sharp features, "
        "and there may be a mole or birthmark on your forehead. Your round eyes sit under "
        "thick eyebrows.",
        "You are very independent and dynamic. You look at life in a positive way and meet it "
        "as an energetic extrovert, the first to speak up and the first to act. You like to be "
        "in charge and can dominate the people around you without quite meaning to. Waiting "
        "tests your patience, and once you have set your mind on something you follow it "
        "headstrong, whatever others advise. You are adventurous and love to try what nobody "
        "has tried before. Your temper is short and flares quickly, though it cools just as "
        "fast. You have a creative streak and a real fondness for change and fun, and routine "
        "soon bores you. You often act on impulse and decide first, think later. People are "
        "drawn to your energy and you are popular, yet at times you can come across as "
        "haughty, so a little humility wins you even more friends.",
        "You are ambitious by nature. You do well in a business of your own and are not afraid "
        "of risky ventures that others avoid. A career in the army, in engineering or with "
        "computers suits your drive and your wish to see quick, solid results.",
        "You are a romantic to the core by nature. You are willing to take risks for love and "
        "follow your heart even when the way is uncertain. At home you meet your duties to "
        "your family faithfully, though you like to have the last word and can be dominating "
        "with those you love.",
        "You may be prone to blood circulation problems, head related illnesses and BP issues. "
        "Take care of your eyes as well and have them checked regularly.",
    },
    // Taurus
    {
        "You are attractive and beautiful. You tend to be on the shorter side with a broad, "
        "sturdy body and a fair skin. Your eyes and hair are beautiful, and your looks match "
        "your intelligence.",
        "You have a powerful and commanding personality. You make decisions slowly and "
        "deliberately, weighing each step, and once made they are hard to shake. You are "
        "patient and can wait a long time for what you want, and you would rather avoid a risk "
        "than gamble on it. Beneath your calm surface you are deeply emotional, and sincere "
        "praise can sway you more than you would like to admit. You are practical and down to "
        "earth, but you can also be stubborn when pushed. You rarely lose your temper, yet "
        "when you do it can be violent, and those around you remember it. In quiet hours you "
        "love reading and can lose yourself in a good book for a whole afternoon.",
        "You love spending on luxurious things. Even so, you prefer stable, methodical work "
        "that pays steadily, and you shine in administration, diplomacy and consulting. You "
        "know how to save money, so your comforts rarely put you in debt.",
        "You may not express your emotions but you are still a romantic at heart. You show "
        "your love through loyalty and care rather than words. Your partner can rely on you in "
        "every season, and you make a good parent who gives your children security and warmth.",
        "You may not enjoy good health all the time. Your throat catches every chill and your "
        "heart needs care, so regular exercise and check-ups serve you well.",
    },
    // Gemini
    {
        "You are tall slim and good looking. You may have curly hair and an elevated nose, and "
        "your features are attractive and lively, so people notice you easily in a crowd.",
        "You have an analytical mind. You take ideas apart to see how they work, and you are "
        "drawn to art and literature as much as to facts. You are an intellectual who also "
        "trusts your intuition, and you often sense the answer before you can prove it. You "
        "are truthful and learned, and you keep adding to what you know. Your wit makes "
        "conversations sparkle, and you are sociable and happy in company. A restless streak "
        "keeps you moving from one interest to the next, so you need variety to feel alive. "
        "You are soft-spoken and diplomatic, and you can settle a quarrel with a few "
        "well-chosen words.",
        "You will do very well in jobs that need interaction with people. Human resources, "
        "sales and marketing suit your quick tongue. You may change jobs often in search of "
        "something new, and money can run short at times, so keep some savings aside.",
        "You are blessed with a long life. You are fond of the opposite sex and enjoy their "
        "company, and as a lover you can be flirtatious and playful. With your children you "
        "are more a friend than a strict parent, and they trust you with their secrets.",
        "You may have some problems of the sexual nature. Your chest is also a weak point: "
        "guard against pneumonia and asthma, and do not ignore a lingering cough.",
    },
    // Cancer
    {
        "You have a medium stature and may be a bit stout. You have a healthy look with a "
        "round face and large eyes, and your hands and feet are large too.",
        "You are a patient person and very emotional. Your moods rise and fall with the phases "
        "of the Moon, bright and open one week and quiet and withdrawn the next. You have a "
        "sharp memory and rarely forget a kindness or a hurt. You are frugal with money and "
        "keep a careful eye on what comes in and what goes out. You like the conventional ways "
        "and feel safest with traditions you know. You are sensitive to what others feel, and "
        "you are religious by temperament. A gentle sense of humour lightens your company, and "
        "you also have a materialistic side that wants comfort and security for yourself and "
        "your family.",
        "You have an artistic bent of mind. You pick up languages easily and can build a "
        "career around them. You also have a good head for money and can do well in finance "
        "and as an investment consultant.",
        "Parents will mean a lot to you. You are especially attached to your mother, and this "
        "bond can cause some problems in your marriage if your partner feels left out. Still, "
        "you are a steady partner and a caring parent who puts the family first.",
        "You may have stress and mental illnesses because of your highly emotional and "
        "sensitive nature. Your lungs and brain need special care.",
    },
    // Leo
    {
        "You are tall  and have broad squarely built shoulders. Your cheeks are prominent and "
        "your eyes small and brown, and you carry a commanding personality into every room.",
        "You are a leader and can never take orders. You love attention and feel most alive "
        "when all eyes are on you. Behind your proud front you are emotional and feel things "
        "deeply. You are charming and inspiring, and others gladly follow where you lead. You "
        "tend to go to extremes, loving or rejecting with the same force. Your magnetic "
        "presence and bold manner open doors that stay shut for others. You dislike criticism "
        "and can take it to heart, even when it is kindly meant. You are ambitious and aim "
        "high, and when you have decided on a course you stubbornly hold to it. Your greatest "
        "gift is the way you motivate the people around you to give their best.",
        "You can do well in professions that need you to be in the limelight. Arts and crafts "
        "bring out your creative side, while management, politics and government service give "
        "your talent to lead the scope it needs.",
        "You love living life king size. You are attractive and enjoy being admired, and you "
        "can be flirtatious, yet you stay faithful to the one you love. Your pride may lead to "
        "quarrels with your partner, so learn to give in now and then.",
        "Heart problems may occur. Your stomach and teeth need care, and anxiety or blood "
        "disorders can trouble you, so rest well and keep your worries in check.",
    },
    // Virgo
    {
        "You are tall and slim with sharp features. You have beautiful looks and a lovely "
        "complexion, and your almond-shaped eyes give your face a gentle charm.",
        "You are practical and polished. You rely on yourself and would rather do a job alone "
        "than wait for help. You are reserved at first and open up only to those you trust. "
        "You work methodically, step by step, and as an organised perfectionist you notice "
        "every detail others miss. Once the ice is broken you are sociable and good company. "
        "The occult fascinates you, and you may study it quietly for years. You are truthful "
        "and expect the same of others. You are health-conscious and watch what you eat, "
        "though you can be fussy about food, order and cleanliness. You are careful with money "
        "and seldom spend without a reason.",
        "You are skilled in music and dance. Your careful, precise mind also suits medicine, "
        "where attention to detail matters, and publishing, where your eye for errors is "
        "valued.",
        "You are not romantic at all. You plan your relationships as carefully as your work, "
        "and you show love by providing well for your family. As a parent you are responsible "
        "and make sure your children lack nothing they need.",
        "Your intestine and liver may give you some problems. Otherwise your health is sound, "
        "and a simple, regular diet keeps you fit.",
    },
    // Libra
    {
        "You are tall and thin. You have a raised nose and a good complexion, a sweet smile, "
        "and a slender body whose proportions are pleasing to the eye.",
        "Justice means everything to you. You need balance in every part of your life, and you "
        "feel uneasy when things tip too far one way. You hate fights and will go a long way "
        "to keep the peace. You love peace and the good things of life: beauty, art, good food "
        "and pleasant company. You are a natural organiser who brings order to events and to "
        "people. You are reserved about your own feelings, and you have a spiritual side that "
        "grows with the years. Before any decision you weigh the pros and cons with care, "
        "which can make you slow to choose but rarely wrong. Your friends respect you for your "
        "fairness and often come to you to settle their disputes.",
        "You could make a career of the artistic kind. Entertainment and fashion suit your eye "
        "for beauty, and your strong sense of justice also makes law a fine choice for you.",
        "Being peaceful and loving by nature, you have good love life. Your relationships grow "
        "slowly, but they grow into lasting happiness. You are a good partner who listens and "
        "shares, and a good parent who teaches your children fairness and kindness.",
        "Kidney and liver are your weak parts. You may also suffer from asthma and frequent "
        "colds, so drink enough water and keep warm in the cold season.",
    },
    // Scorpio
    {
        "You have broad body shape. You are tall and beautiful, with engaging eyes that hold "
        "attention and a fair complexion that catches the light.",
        "Mysterious is the first word that comes to mind about this moon sign. You are "
        "straightforward in what you say, yet you keep your own plans and feelings secret. You "
        "do not forgive easily, and a wrong done to you stays with you for a long time. When "
        "provoked you can be aggressive, and you are slow to trust others. Jealousy can creep "
        "in when you feel your place is threatened. You work slowly but methodically, and you "
        "finish what you start. Your will is strong, and once you have set a goal nothing "
        "turns you away from it. With this determination you could become a social reformer "
        "who changes things for the better.",
        "You may come in possession of sudden legacies and gifts. Desk jobs are not for you; "
        "you do best in work that lets you follow your intuition. You earn well, but you tend "
        "to spend everything you earn.",
        "Your possessive nature may create problems in life. In love you can be jealous and "
        "secretive, which may hurt a partner who wants openness. As a parent you are "
        "unconventional and raise your children in your own way.",
        "You may have problems from piles and colic. Hypertension and urinary disorders can "
        "also trouble you, so watch your salt and drink plenty of water.",
    },
    // Sagittarius
    {
        "You may be medium to tall and well built. You have a broad face, large teeth, a long "
        "nose and beautiful eyes, and your magnetic personality draws people to you.",
        "You are very optimistic and spontaneous by nature. You are a sharp and analytical "
        "thinker who gets to the heart of a problem quickly. Your wit makes you good company, "
        "and your jokes lift any gathering. You are driven by goals and always have the next "
        "one in sight. You enjoy life and do not mind spending on travel, good food and fun. "
        "You are cheerful most of the time, but your temper is short and flares when you meet "
        "dishonesty or delay. You are passionate about what you believe in and courageous "
        "enough to defend it, even when you stand alone against the crowd.",
        "You always yearn to learn more in life. You can do well in the arts, in public "
        "speaking and in teaching, and foreign trade and research suit your wide interests. An "
        "inheritance or a generous benefactor may help you along the way.",
        "You may have some problem dealing with other people. You dislike criticism and can "
        "react sharply to it. Still, your marriage is likely to be a happy one, as you are a "
        "faithful partner. As a parent you are loving, though at times dominating.",
        "Your body gives out too much heat, which may create a few problems. Otherwise your "
        "health is good, but watch your weight and your blood pressure.",
    },
    // Capricorn
    {
        "You have beautiful eyes. Your waist is slender, and though you may not be very good "
        "looking in the usual sense, your eyes are what people remember.",
        "You want to achieve a lot in life. Yours can be a rags-to-riches story, built step by "
        "step from small beginnings. You are virtuous and hold firmly to your principles. You "
        "keep your feelings to yourself and seldom show what moves you. You are independent "
        "and conservative, trusting the tried ways more than the new. You are fearless in the "
        "face of hardship, but you can also be stubborn and suspicious of other people's "
        "motives. When needed you can be crafty in getting your way. Above all you are "
        "hardworking and thrifty, and you know the value of every coin you earn.",
        "Material wealth means a lot to you. You may face losses at some point in your life, "
        "but you recover through patient effort. Finance and accounts suit you well, as you "
        "handle numbers with care.",
        "Domestic life will have its share of problems mainly because of inability of "
        "household members to get along with each other. Your career may keep you away from "
        "your family, yet you are deeply attached to your spouse and children. You may seem "
        "dull in romance, and as a parent you are disciplined.",
        "You may be prone to gout and blood related problems. Your knees are a weak point too, "
        "so keep them strong and avoid strain.",
    },
    // Aquarius
    {
        "You have a fair complexion. Your body is well formed and proportional, thin and "
        "loose-jointed, and you look youthful for your age. You have a broad forehead, a long "
        "nose and deep eyes.",
        "You are a thinker, philosopher and an idealist. Your nature is even, and you rarely "
        "lose your balance. You are charming in company, yet reserved about your feelings, "
        "which you share only with a few. Friendship means a great deal to you, and you work "
        "best in groups where everyone pulls together. The occult and the hidden side of life "
        "interest you. You are diplomatic and can handle difficult people with ease. You are "
        "talkative and can enjoy a conversation late into the night, and your ready sense of "
        "humour makes strangers warm to you within minutes.",
        "You will do very well in public related jobs and businesses. Entertainment and film "
        "suit your talents. Be careful with money, though, as you tend to spend more than you "
        "earn.",
        "You are influenced more by your friends than your relatives. You are a romantic at "
        "heart, even if you do not always show it, and you make a delightful partner who keeps "
        "life fresh and interesting.",
        "Your legs and eyes may be weak. Poor circulation, spells of depression and a delicate "
        "digestion may trouble you, so stay active and keep good company.",
    },
    // Pisces
    {
        "You have the perfect body with the right nose, eyes and mouth. You are handsome, slim "
        "and attractive, with a high forehead and deep, penetrating eyes.",
        "You are very creative and soft by nature. You are a dreamer who lives partly in a "
        "world of your own. Your intuition is strong, and at times it seems almost psychic, as "
        "you sense what will happen before it does. You are devoted to your friends and family "
        "and stand by them in hard times. You are compassionate and helpful, always ready to "
        "lend a hand to someone in need. You are easygoing and calm, and little upsets you for "
        "long. At times you can be lazy and let things drift. You follow your own "
        "unconventional path rather than the one others expect of you.",
        "You are artistically inclined. Music, teaching and research suit you, and the occult "
        "may draw you in as well. Once absorbed you become a workaholic, but you manage money "
        "poorly, so let someone you trust help you plan.",
        "Your children will be very fortunate to be born to you. You may have more daughters "
        "than sons, and you are very fond of your family. You may marry more than once, and "
        "you look for a spiritual bond with your partner. As a parent you are indulgent and "
        "loving.",
        "Common cold will be your constant companion. Your bones and teeth need care, and your "
        "digestion can be weak, so eat simply and stay warm.",
    },
}};

}  // namespace korvanta
