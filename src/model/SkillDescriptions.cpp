#include "Catalogue.h"

#include <array>
#include <cstddef>

namespace skillwright::model {

namespace {
// The planner's own explanations of the skills, shown when the pointer rests on an icon: indexed by
// tree (in TreeId order) and skill index. Each is one paragraph of plain ASCII.
constexpr std::array<std::array<std::string_view, kSkillsPerTree>, kTreeCount> kDescriptions{{
    // NecromancerSummoning: Necromancer, Summon Skills
    {{
        "(Passive) 'Increases the quality of your skeletons and revived monsters.' Every point makes your "
        "raised skeletons and revived monsters tougher and harder hitting. It does nothing on its own, so it "
        "pays only in a summoning build, where it usually climbs alongside Raise Skeleton. A bone or curse "
        "Necromancer can leave it empty.",
        "'Raise a skeleton warrior from the corpse of a slain monster to fight for you.' The summoner's "
        "backbone: more points let you keep more skeletons at once and make each of them stronger, so an "
        "army build keeps feeding it throughout the game. Every skeleton needs a fresh corpse, so you raise "
        "them as you fight. Pair it with Skeleton Mastery, and with Amplify Damage from the curse tree, for "
        "an army that carries you through Hell.",
        "'Create a golem of clay to fight for the caster.' A slow, sturdy brute that soaks up blows and "
        "keeps monsters busy while you stay back. Only one golem of any kind can be out at a time. A single "
        "point gives any Necromancer a handy decoy from level 6, and it opens the golem line: Golem Mastery "
        "and Blood Golem both need it.",
        "(Passive) 'Raises the foot speed and hit points of your golem.' Only worth real investment if you "
        "lean on golems: it keeps them alive longer and lets them keep pace with you. It is also the way to "
        "Summon Resistance, which every summoner wants later, so most army builds put at least one point "
        "here on the way.",
        "'Reanimate a skeletal mage from a target corpse.' Mages hang back and cast elemental bolts, each "
        "with an element chosen at random when it rises, which adds ranged and elemental damage to an army "
        "of warriors that otherwise deals only physical damage. More points allow more mages at once. It is "
        "also the gate to Revive.",
        "'Create a golem that shares its health and damage with you.' The blood golem's life is linked to "
        "yours: its hits restore life, but the blows it takes cost you as well, so it shines when it wins "
        "its fights and can be dangerous in a big crowd. Many players keep it at one point as the step "
        "towards Iron Golem and Fire Golem.",
        "(Passive) 'Your summoned monsters gain resistances.' Raises the elemental resistances of everything "
        "you summon, which matters most in Nightmare and Hell, where fire, cold and lightning monsters shred "
        "an unprotected army. A late but valuable buy for any summoner; it needs Golem Mastery.",
        "'Create a golem from an item.' Cast it on a piece of equipment lying on the ground: the item is "
        "used up and the golem takes on some of its qualities, so a good magic weapon or armor makes a "
        "better golem. It carries a Thorns aura that hurts monsters striking it. Worth it when you have a "
        "spare item to sacrifice; it leads to Fire Golem.",
        "'Create a fire golem.' The mightiest golem: it burns the monsters around it with a Holy Fire aura, "
        "and fire aimed at it heals it rather than harming it. It needs the whole golem line (Clay, Blood "
        "and Iron Golem) and opens at character level 30. Since only one golem walks at a time, pick the "
        "golem you mean to invest in.",
        "'Raise a slain monster to fight for you.' Brings an ordinary monster back from its corpse with its "
        "own attacks and abilities, but only for a limited time, so you keep reviving as you go. More points "
        "allow more revived monsters at once, and Skeleton Mastery strengthens them. Unique bosses cannot be "
        "revived. The crown of the skeleton line at level 30.",
    }},
    // NecromancerPoisonBone: Necromancer, Poison / Bone Skills
    {{
        "'Fire a spread of teeth missiles.' A cheap magic-damage attack from level 1 that fans out several "
        "teeth at once, more of them as it gains points. Good for the first levels of a bone build but it "
        "falls behind later; many keep it at one point because it is the way to Corpse Explosion and the "
        "bone spells.",
        "'Create a damage-absorbing bone shell.' The shell soaks up a set amount of melee damage before it "
        "breaks, and more points make it absorb more. One of the Necromancer's few defensive tools: a few "
        "points help any build early, more help one that gets hit often. It leads to Bone Wall and Bone "
        "Prison.",
        "'The next dagger attack poisons its target.' A melee skill that needs a dagger in hand, adding "
        "poison damage over time to a stab. Few Necromancers fight in melee, so most put only the single "
        "point needed on the way to Poison Explosion and Poison Nova.",
        "'Turn a corpse into a bomb.' The exploding corpse hurts everything around it with damage drawn from "
        "the dead monster's life, so it grows with the monsters you fight rather than with points alone; "
        "extra points mainly widen the blast. A superb crowd killer in any Necromancer build once the first "
        "monster falls, and it needs only Teeth.",
        "'Create an impassable barrier of bone.' Raises a wall that blocks monsters and takes their blows "
        "until broken, buying time to cast from behind it or funneling enemies into a gap. Handy in narrow "
        "corridors; a point or two is usually plenty. It is the step from Bone Armor to Bone Prison.",
        "'Turn a corpse into a poison gas bomb.' Like Corpse Explosion, but the blast leaves poison that "
        "keeps hurting the monsters around the corpse over time, and its damage comes from the skill level "
        "rather than the corpse. It needs both Poison Dagger and Corpse Explosion, and leads on to Poison "
        "Nova.",
        "'Cast a bone missile.' A fast spear of magic damage that passes through every monster in its path, "
        "very strong in corridors and against lines of enemies. Few monsters resist magic damage, so it "
        "keeps its worth into Hell as you add points. The core of most bone builds; it leads to Bone Spirit "
        "and Bone Prison.",
        "'Create a bone barrier around a target.' Locks a monster inside a ring of bone so it cannot reach "
        "you, useful to pin down a dangerous champion or a troublesome ranged attacker while you deal with "
        "the rest. A utility skill where one point is often enough. Needs Bone Wall and Bone Spear.",
        "'Cast an expanding ring of poison.' Poisons every monster around you, dealing its damage over a few "
        "seconds. Excellent against large packs, and Lower Resist from the curse tree helps it through "
        "poison-resistant monsters. The top of the poison line, opening at character level 30 after Poison "
        "Explosion.",
        "'A seeking missile of bone.' A slower spirit that homes in on its target and hits hard with magic "
        "damage, so it seldom misses. Strong against single targets and bosses, a natural partner to Bone "
        "Spear against crowds. Needs Bone Spear and opens at level 30; a bone caster's late points often go "
        "here.",
    }},
    // NecromancerCurses: Necromancer, Curse Skills
    {{
        "'Curse a group of enemies, increasing the non-magic damage they receive.' Cursed monsters take "
        "double physical damage, a huge boost for skeletons, golems, hirelings and melee alike. A single "
        "point already gives the full effect; more points only widen the curse and make it last longer. "
        "Nearly every Necromancer takes it, and it opens Weaken and Iron Maiden.",
        "'Curse a group of enemies, reducing their vision radius.' Blinded monsters cannot see you from "
        "afar, so ranged attackers and casters stop shooting until you come close. Some monsters are immune. "
        "A niche tool for a careful player; most builds spend just the point that leads to Confuse and "
        "Attract.",
        "'Curse a group of enemies, reducing their ability to do damage.' Cuts the damage of cursed monsters "
        "by about a third, which keeps a fragile caster or a summoned army alive in tough fights. One point "
        "does the job; further points widen the area and the duration. It is the way to Terror and "
        "Decrepify.",
        "'Curse a group of enemies, causing them to harm themselves when harming others.' Melee monsters "
        "under this curse take back a large share of the damage they deal, so hard-hitting packs beat "
        "themselves down on your golem or skeletons. Strong against brutes, useless against casters. Leads "
        "to Life Tap.",
        "'The afflicted runs away in terror.' Sends cursed monsters fleeing for a few seconds, giving you "
        "room to breathe, heal or reposition. Bosses shrug it off. A panic button rather than a damage tool; "
        "one point is usually enough, and it is the step from Weaken to Decrepify.",
        "'The afflicted attack random targets.' Confused monsters strike whatever is nearest, often each "
        "other, which thins out dense packs with no effort on your part. Very useful against large groups "
        "that would otherwise swarm you. Needs Dim Vision and leads to Attract.",
        "'The afflicted return life to their attacker.' Hits on a cursed monster heal whoever strikes it, "
        "which keeps a melee Necromancer, a hireling or a summoned army on its feet. Good for summoners and "
        "rare melee builds alike. It needs Iron Maiden and is half of the way to Lower Resist.",
        "'The afflicted becomes the universal target.' Every other monster nearby turns on the cursed one, "
        "so one curse on a strong monster can set a whole pack fighting among itself. A clever crowd-control "
        "skill at level 24; one point goes a long way. Needs Confuse.",
        "'Weakens the joints of the afflicted.' Cursed monsters move and attack more slowly and hit less "
        "hard, so one curse both slows a dangerous pack and blunts its blows. Excellent against bosses and "
        "big brutes. Needs Terror, and opens at character level 24.",
        "'Lowers the afflicted resistance to magic.' Reduces the elemental and poison resistances of cursed "
        "monsters, the key to getting poison and elemental damage through resistant foes in Hell. Essential "
        "for a Poison Nova caster and handy for a party of casters. Needs both Life Tap and Decrepify; opens "
        "at level 30.",
    }},
    // AmazonJavelinSpear: Amazon, Javelin + Spear
    {{
        "'Attack with multiple rapid thrusts of a javelin or spear.' A quick flurry of stabs that lands "
        "several hits in the time of one attack, good for an early spear Amazon. Its damage per thrust is "
        "modest, so it is often left at one point once better skills open; that point is needed for Power "
        "Strike, Impale and Fend.",
        "'Add lightning damage to javelin and spear attacks.' A strong early melee skill: the lightning "
        "damage grows quickly with points, so a spear or javelin Amazon can carry it for a long while. It "
        "leads to Charged Strike and Lightning Strike, the heart of a lightning spear build.",
        "'Throw a javelin enhanced by poison, leaving a trail of poison clouds.' The trail poisons every "
        "monster the javelin passes, handy against packs in the early game. Poison damage falls off in later "
        "difficulties, so it is mostly a stepping stone to Lightning Bolt, Plague Javelin and Lightning "
        "Fury.",
        "'More damage, hard on the weapon.' A single heavy thrust with a big bonus to damage and accuracy, "
        "but every use wears down your weapon's durability quickly, so keep repair costs in mind. Good "
        "against bosses for a physical spear build. Needs Jab and leads to Fend.",
        "'Magically convert your javelin into a bolt of lightning.' The thrown javelin turns into a "
        "lightning bolt that strikes with lightning damage, a dependable ranged attack for a javelin Amazon. "
        "It needs Poison Javelin and opens the way to Charged Strike, Plague Javelin and Lightning Fury.",
        "'A lightning hit that releases charged bolts.' Each strike with a spear or javelin sends out "
        "several charged bolts that spread around the target, great against bosses you stand next to. More "
        "points add bolts and damage. Needs Power Strike and Lightning Bolt, and leads to Lightning Strike.",
        "'Throw a poison-trailing javelin.' A bigger version of Poison Javelin whose javelin bursts into a "
        "wide poison cloud, poisoning a whole pack at once. A strong crowd clearer in Normal and Nightmare, "
        "weaker against the poison resistances of Hell. Needs Lightning Bolt and leads to Lightning Fury.",
        "'Attack all adjacent targets.' The Amazon strikes at every monster standing next to her, which "
        "makes a spear Amazon deadly in the thick of a crowd. It uses your weapon damage, so a strong "
        "polearm or spear pays off. Needs Impale; opens at level 24.",
        "'A lightning hit that releases chain lightning.' Each melee hit sends a chain of lightning leaping "
        "from monster to monster, turning a spear Amazon into a crowd killer. The top of the melee lightning "
        "line, opening at character level 30 after Charged Strike.",
        "'Create a Lightning Fury.' A thrown javelin that bursts into a spray of lightning bolts when it "
        "hits, striking many monsters around the target at once. More points add bolts and damage, making it "
        "one of the best ranged crowd killers of the Amazon. Needs Plague Javelin; opens at level 30.",
    }},
    // AmazonPassiveMagic: Amazon, Passive + Magic
    {{
        "'Lights up nearby enemies, making them easier for you and your party to hit.' Lowers the defense of "
        "the monsters around you and makes them glow, so every attack in the party lands more often. Cheap "
        "and useful early for any Amazon; it also leads to Slow Missiles, Duplicate and Valkyrie.",
        "(Passive) 'A chance that your attacks will do double damage.' Always at work for physical attacks "
        "with bow, javelin or spear, and its chance grows quickly with the first points, then more slowly. A "
        "favorite of every physical Amazon, and the gate to Penetrate and Pierce.",
        "'A chance that you will dodge a melee attack when standing or attacking.' A passive defense that "
        "sometimes sidesteps a blow entirely, which helps a fragile bow Amazon when monsters close in. The "
        "chance grows with points. It is the first of the dodge line leading to Avoid, Evade and Valkyrie.",
        "'Slow the ranged attacks of nearby enemies and make them easier targets.' Enemy arrows and spells "
        "crawl towards you, giving you time to step aside. A lifesaver against archers and casters in the "
        "later acts; a point or two is often enough. Needs Inner Sight and leads to Duplicate.",
        "'A chance that you will elude a missile attack when standing or attacking.' The ranged counterpart "
        "of Dodge: a chance to avoid arrows and other missiles entirely. Strong for any Amazon who fights at "
        "range against shooting monsters. Needs Dodge and leads to Evade.",
        "(Passive) 'Increases your chance to hit with ranged attacks such as javelin and bow skills.' A "
        "boost to attack rating for missile attacks, so more arrows and javelins land, especially against "
        "high-defense monsters in later difficulties. Needs Critical Strike and leads to Pierce.",
        "'Create a duplicate decoy.' Summons a copy of the Amazon that monsters attack instead of you, "
        "buying time to shoot them down safely. More points make it last longer and survive more blows. A "
        "bow Amazon's friend in tight spots; needs Slow Missiles and leads to Valkyrie.",
        "(Passive) 'Dodge when moving.' Adds a chance to avoid attacks while you walk or run, completing the "
        "trio with Dodge and Avoid. Useful for an Amazon who moves around a lot in fights. Needs Avoid, and "
        "is one of the two prerequisites of Valkyrie.",
        "'Summon a powerful Valkyrie ally.' A warrior maiden who fights at your side, strong in melee and "
        "tough enough to hold monsters off a bow or javelin Amazon. More points make her stronger. One of "
        "the Amazon's best supports, but it needs both Duplicate and Evade, so it costs several points to "
        "reach at level 30.",
        "(Passive) 'A chance that a missile will continue on through its target.' Arrows and javelins that "
        "pierce go on to hit the next monster behind, multiplying the damage of every shot against lined-up "
        "enemies. A strong pick for any bow or javelin build at level 30; needs Penetrate.",
    }},
    // AmazonBowCrossbow: Amazon, Bow + CrossBow
    {{
        "'Shoot a free magic arrow or bolt that does extra damage.' Conjures its own arrow, so it never uses "
        "up your quiver, and it adds damage to the shot. A solid opener for a bow Amazon, and the gate to "
        "Multi-Shot Arrow, which every bow build wants.",
        "'Magically enhance your arrows or bolts with fire.' Adds fire damage to each shot, which makes a "
        "big difference in the first acts. It scales with points but lags behind later bow skills; most bow "
        "builds keep it low and use it as the step to Exploding Arrow and Immolating Arrow.",
        "'Magically enhance your arrows or bolts with cold damage and a slowing effect.' Half of the shot's "
        "damage becomes cold damage that slows the target, keeping monsters from closing in. A good early "
        "skill, and the root of the cold line: Ice Arrow, Freezing Arrow and Guided Arrow all start here.",
        "'Magically split one arrow or bolt into many.' Sends a fan of arrows that hits everything in front "
        "of you, and more points add more arrows. A great crowd clearer that every bow Amazon wants, even if "
        "only a few points go here. Needs Magic Arrow and leads to Exploding Arrow and Guided Arrow.",
        "'Shoot an arrow or bolt that explodes on contact, damaging all enemies nearby.' The fire explosion "
        "hurts every monster around the target, strong against packs throughout Normal and Nightmare. It "
        "needs Fire Arrow and Multi-Shot Arrow, and leads on to Immolating Arrow.",
        "'Shoot an arrow that freezes the target.' The target is frozen solid for a moment, unable to move "
        "or attack, which keeps dangerous monsters off a fragile Amazon. Strong against single tough foes. "
        "Needs Cold Arrow and leads to Freezing Arrow.",
        "'Smart arrows and bolts.' The arrow turns in flight to seek out its target, so shots seldom miss, "
        "and it adds damage to your bow. Excellent against bosses and against fast or distant monsters. "
        "Needs both Cold Arrow and Multi-Shot Arrow, and leads to Strafing Arrow.",
        "'Shoot at multiple targets.' Looses a rapid volley of arrows, each at a different nearby monster, "
        "so the Amazon can clear a crowd with ordinary physical damage. It benefits from everything that "
        "improves your bow. Needs Guided Arrow; opens at level 24.",
        "'Shoot an immolating arrow.' A heavy fire arrow that explodes and sets the ground ablaze, burning "
        "monsters that stay in the flames. A strong crowd killer for a fire bow Amazon. Needs Exploding "
        "Arrow; opens at level 24.",
        "'Turn monsters into ice sculptures.' The arrow explodes into a burst of cold that freezes every "
        "monster around the target, turning a dangerous pack into helpless statues. The top of the cold bow "
        "line, opening at level 30 after Ice Arrow.",
    }},
    // BarbarianMasteries: Barbarian, Combat Masteries
    {{
        "(Passive) 'Improve sword fighting skill.' Raises your damage and attack rating with swords, and "
        "adds a chance of critical hits. A Barbarian should pick one weapon mastery that matches the weapon "
        "he plans to use and pour points into it, since it boosts every attack skill. Choose it for a sword "
        "or dual-sword build.",
        "(Passive) 'Improve axe fighting skill.' Adds damage, attack rating and a chance of critical hits "
        "while you fight with an axe. Axes are plentiful and hit hard, so this mastery suits a "
        "straightforward melee Barbarian; pick only one weapon mastery and build it up.",
        "(Passive) 'Improve mace fighting skill.' Adds damage, attack rating and a chance of critical hits "
        "with maces, hammers and clubs. Blunt weapons do extra damage to undead, which makes a mace "
        "Barbarian good in the undead-heavy acts. As with every mastery, commit to one weapon type.",
        "(Passive) 'Improve polearm fighting skill.' Adds damage, attack rating and a chance of critical "
        "hits with polearms. Polearms are slow two-handed weapons with huge damage and reach, a good match "
        "for Whirlwind. Only useful if a polearm is your main weapon.",
        "(Passive) 'Improve thrown weapon skill.' Adds damage, attack rating and a chance of critical hits "
        "to thrown weapons such as throwing axes, knives and javelins. It suits a Barbarian built around "
        "Double Throw; a melee Barbarian can ignore it.",
        "(Passive) 'Improve spear fighting skill.' Adds damage, attack rating and a chance of critical hits "
        "with spears. Spears reach further than most weapons, letting you strike from a step back. Like "
        "every mastery it pays only if spears are your weapon of choice.",
        "(Passive) 'Increases stamina.' Raises your maximum stamina so you can run longer before slowing to "
        "a walk. Helpful in the early game, less so once you find stamina potions and gear; its main value "
        "is as the way to Increase Speed.",
        "(Passive) 'Improved defense rating.' Raises your defense by a percentage, so monsters miss you more "
        "often. A solid choice for a melee Barbarian who spends his days surrounded by enemies, and the way "
        "to Natural Resistance.",
        "(Passive) 'Boosts walk and run speed.' Makes you move faster at all times, which speeds up travel "
        "through large levels and helps you escape or close in. A few points make a noticeable difference. "
        "Needs Increase Stamina; opens at level 24.",
        "(Passive) 'Increases natural resistances.' Raises your resistances to the elements, which becomes "
        "very valuable in Nightmare and Hell where resistances fall sharply. A strong late investment for "
        "any Barbarian; needs Iron Skin and opens at level 30.",
    }},
    // BarbarianWarcries: Barbarian, Warcries
    {{
        "'Frighten nearby monsters.' Sends monsters around you running for a moment, giving you room to "
        "recover or drink a potion. More points frighten them for longer and from further away. A useful "
        "escape early on, and the gate to Taunt and Shout.",
        "'Find a health potion.' Search the corpse of a slain monster for a healing potion. Handy to save "
        "gold on potions in the early game; few players put more than one point here, which is the way to "
        "Find Item and Grim Ward.",
        "'Taunt a target creature to attack you.' Draws a monster out of its group and makes it come after "
        "you, weakening its attack at the same time. Good to pull ranged monsters and casters into melee "
        "range. Needs Howl and leads to Battlecry.",
        "'Alert your party and improve their defense.' A warcry that raises your defense and that of nearby "
        "party members for a while. More points raise the bonus and make it last longer. A good defensive "
        "skill for any Barbarian, and the way to Battle Orders.",
        "'Target corpses to find hidden treasure.' Search a corpse for an extra item or gold, turning every "
        "kill into a second chance at loot. More points improve the odds. Popular with treasure hunters; "
        "needs Find Health Potion and leads to Grim Ward.",
        "'A fearsome cry that reduces enemy effectiveness.' Lowers the defense and damage of monsters around "
        "you, making them easier to hit and less dangerous. A strong support cry in groups. Needs Taunt and "
        "is one of the two prerequisites of War Cry.",
        "'Improve the life, mana and stamina of your party.' Raises the maximum life, mana and stamina of "
        "you and nearby party members for a while. One of the best warcries in the game: it keeps you and "
        "your friends alive in Hell. Needs Shout and leads to War Cry and Battle Command.",
        "'Target a corpse to create a frightening totem.' Plants a grim totem on a corpse that scares nearby "
        "monsters away, clearing an area around it for a while. A clever crowd-control tool in the thick of "
        "a fight. Needs Find Item.",
        "'Injure and stun all nearby enemies.' A powerful shout that damages every monster around you and "
        "stuns it, halting its attacks. The damage grows with points, so a warcry Barbarian can make it his "
        "main attack. Needs Battlecry and Battle Orders; opens at level 30.",
        "'Increase the skill levels of your party.' Adds to all skills of you and nearby party members for a "
        "while, which boosts every other warcry and attack. A single point is often enough to be worthwhile. "
        "Needs Battle Orders; opens at level 30.",
    }},
    // BarbarianCombat: Barbarian, Combat Skills
    {{
        "'Bash a target for extra damage.' A heavy blow that adds damage and knocks the monster back. A good "
        "early attack for any melee Barbarian; later it is usually left at the single point that leads to "
        "Double Swing and Stun.",
        "'Jump over obstacles.' Leaps to a spot you choose, crossing gaps and obstacles, and knocks back "
        "monsters where you land. More points let you jump further. A handy escape and travel tool; it leads "
        "to Leap Attack and Whirlwind.",
        "'Swing two weapons at once.' Attacks with both weapons in one swing, doubling your blows for a "
        "dual-wielding Barbarian. Only useful with a weapon in each hand. Needs Bash and leads to Double "
        "Throw and Frenzy.",
        "'Stun your target.' Your blow leaves the monster unable to act for a moment, longer with more "
        "points. Good to stop dangerous monsters from fighting back. Needs Bash and leads to Concentrate and "
        "Beserker.",
        "'Throw two weapons at once.' Hurls a throwing weapon from each hand, doubling your ranged damage. "
        "The main attack of a throwing Barbarian, best with Throwing Mastery. Needs Double Swing and leads "
        "to Frenzy.",
        "'Leap to a target enemy and attack it.' Jumps onto a monster and strikes it on landing, closing "
        "distance with ranged monsters and casters in a single move. A strong opener in melee builds. Needs "
        "Leap; opens at level 18.",
        "'An attack that cannot be interrupted.' Strikes with extra damage, and you keep swinging even while "
        "monsters hit you, so you are never stunned out of your attack. A reliable main attack; needs Stun "
        "and leads to Whirlwind and Beserker.",
        "'Each successful hit increases your speed.' Requires a weapon in each hand: every hit speeds up "
        "your attacks and your movement, up to a limit, so a dual-wielding Barbarian becomes a whirlwind of "
        "blades. Needs Double Throw; opens at level 24.",
        "'Moving, spinning, attacking.' The Barbarian spins through a crowd, hitting every monster in his "
        "path while moving. One of the best crowd killers in the game, strong with a big two-handed weapon "
        "or two weapons. Needs Leap Attack and Concentrate; opens at level 30.",
        "'A powerful but reckless attack.' Converts your blow into a huge hit of magic damage that few "
        "monsters resist, but your defense drops to nothing for a moment, so it is risky in a crowd. "
        "Excellent against physically resistant monsters. Needs Concentrate; opens at level 30.",
    }},
    // PaladinOffensiveAuras: Paladin, Offensive Auras
    {{
        "'When active, increases the damage done by you and your party.' A simple, strong aura for any "
        "physical Paladin from level 1: more points add more damage, and the party around you benefits too. "
        "Early melee Paladins run it until better auras open; it leads to Holy Fire and Blessed Aim.",
        "'When active, sends pulses of fire to damage nearby enemies.' Burns every monster close to you at "
        "regular intervals, with no effort on your part. Good in the early game and for hitting crowds, but "
        "the damage falls behind later. Needs Might and leads to Holy Freeze.",
        "'When active, enemies that damage you take a portion of that damage in return.' Melee monsters that "
        "strike you are hurt by their own blows, a large share with more points. Strong against hard-hitting "
        "brutes, useless against missiles and spells. Leads to Sanctuary.",
        "'When active, your attacks will be heavenly inspired.' Raises the attack rating of you and your "
        "party, so your blows land more often against high-defense monsters. A good aura for a melee Paladin "
        "before Concentration and Fanaticism; needs Might.",
        "'Aura increases your attack ability.' Raises the damage of your attacks, a strong aura for a melee "
        "Paladin who stands in the thick of a crowd. It is the step from Blessed Aim to Fanaticism. Opens at "
        "level 18.",
        "'Aura freezes nearby monsters.' Chills all monsters around you with cold damage and slows them, so "
        "they reach you later and hit you less often. A great defensive aura for melee and the way to Holy "
        "Shock and Sanctuary. Needs Holy Fire.",
        "'Aura sends pulses of lightning damage.' Strikes nearby monsters with lightning at regular "
        "intervals, with wide swings in damage. Useful for a Paladin who wants to damage crowds while he "
        "fights. Needs Holy Freeze.",
        "'Aura repels and damages undead.' Pushes undead monsters away from you and damages them, keeping "
        "skeletons and zombies off your back. Very strong in the undead-heavy acts, of little use elsewhere. "
        "Needs Thorns and Holy Freeze, and leads to Conviction.",
        "'Aura boosts attack.' Raises your attack speed, damage and attack rating, and lends a smaller share "
        "to your party. The best offensive aura for a melee Paladin, opening at level 30; it needs "
        "Concentration.",
        "'Aura weakens enemies.' Lowers the defense and the resistances of nearby monsters, so everything in "
        "the party hits harder and more often. A superb support aura at level 30 for a Paladin who fights "
        "alongside casters. Needs Sanctuary.",
    }},
    // PaladinCombat: Paladin, Combat Skills
    {{
        "'Increased accuracy and damage at the cost of your own health.' Each blow hits harder and more "
        "surely, but costs you a little life. A good early melee attack for a Paladin with plenty of "
        "healing; it leads to Zeal and the Vengeance line.",
        "'Bash your enemies with your shield and stun them briefly.' A shield blow that always hits and "
        "knocks the monster out of action for a moment. It needs a shield. Good for stopping dangerous "
        "monsters; it leads to Charge and Holy Shield.",
        "'A bolt of heavenly energy that damages undead enemies or heals allies.' Strong against undead, "
        "which it deals magic damage to, and can heal your party members and their minions. Useless against "
        "living monsters. It leads to Blessed Hammer and Fist of Heavens.",
        "'Allows multiple adjacent monsters to be hit in a single attack.' A flurry of blows that lands "
        "several hits on the monsters around you, great for a melee Paladin in a crowd. Pairs well with "
        "offensive auras such as Fanaticism. Needs Sacrifice and leads to Vengeance.",
        "'Charge and bash a target.' Runs at a monster and strikes it with a powerful blow, closing the "
        "distance fast. Good for reaching ranged monsters and casters. Needs Smite and leads to Holy Shield.",
        "'Attacks add elemental damage.' Every blow carries fire, cold and lightning damage, which helps a "
        "melee Paladin against physically resistant monsters. More points add more elemental damage. Needs "
        "Zeal and leads to Conversion.",
        "'A spiraling magic hammer missile.' A hammer spirals out from you, hitting monsters along its path "
        "with magic damage, which few monsters resist. A strong caster-style attack for a Paladin who builds "
        "around it. Needs Holy Bolt; opens at level 18.",
        "'Converts monsters to fight evil.' A blow that turns a monster to your side for a while, so it "
        "fights its own kind. A clever crowd-control skill against large packs. Needs Vengeance and leads to "
        "Fist of Heavens.",
        "'Enhances your shield.' Raises your defense and the chance of blocking with your shield, and adds "
        "damage to Smite, for a while. A strong defensive buff for any shield Paladin. Needs Charge and "
        "Blessed Hammer; opens at level 24.",
        "'The target is banished.' Calls down a bolt of holy lightning on a monster and sends holy bolts out "
        "around it, hitting nearby monsters too. A strong ranged attack at level 30 for a Paladin built "
        "around it. Needs Blessed Hammer and Conversion.",
    }},
    // PaladinDefensiveAuras: Paladin, Defensive Auras
    {{
        "'When active, slowly regenerates the health of you and your party.' A steady trickle of healing for "
        "everyone near you, and a cheap point at level 1 for any Paladin. It falls behind later but is the "
        "way to Cleansing, Vigor and Meditation.",
        "'Aura protects against fire damage.' Raises the fire resistance of you and your party, valuable "
        "against fire-breathing monsters and casters in Nightmare and Hell. One of three resistance auras, "
        "each on its own; Salvation later covers all three at once.",
        "'Aura boosts armor.' Raises the defense of you and your party by a percentage, so monsters miss "
        "more often. A good defensive aura for a melee Paladin, and half of the way to Vigor.",
        "'Aura protects against cold damage.' Raises the cold resistance of you and your party, so frost "
        "attacks hurt less and slow you less. Worth a point or two against cold-heavy areas; Salvation "
        "covers all three elements at once later on.",
        "'Aura reduces poison duration.' Cuts short the poison and curses that plague you and your party. A "
        "niche aura that helps in poison-heavy areas. Needs Prayer and leads to Vigor and Meditation.",
        "'Aura protects against lightning damage.' Raises the lightning resistance of you and your party, "
        "valuable against lightning enchanted monsters and electric casters in later difficulties. Salvation "
        "covers all three elements at once later on.",
        "'Aura boosts stamina recovery and speed.' Raises your movement speed and stamina regeneration, and "
        "those of your party, so you run further and faster. A good travel aura; needs Defiance and "
        "Cleansing, and leads to Redemption.",
        "'Aura boosts mana recovery.' Greatly speeds up the mana regeneration of you and your party, letting "
        "a caster Paladin or a party of casters keep casting. Needs Cleansing; opens at level 24.",
        "'Aura redeems dead bodies for mana and life.' Turns the corpses of slain monsters around you into "
        "life and mana for you, so you recover after each kill. A strong sustain aura in fights with many "
        "corpses. Needs Vigor; opens at level 30.",
        "'Aura protects against the elements.' Raises your resistance to fire, cold and lightning together, "
        "for you and your party. The best all-round defensive aura in Hell, opening at character level 30.",
    }},
    // SorceressFire: Sorceress, Fire Based
    {{
        "'Create a magical bolt of fire.' A cheap, fast fire missile, the natural first attack of a fire "
        "Sorceress. It is soon outclassed by Fireball, so most builds keep it at the single point that opens "
        "Fireball, Enchant and Meteor.",
        "(Passive) 'Increases your mana recovery rate.' Works all the time, so every point means more spells "
        "between potions. Welcome to any Sorceress early on, fire or not, and the first step towards Enchant "
        "and Hydra.",
        "'Cast a flame jet.' A short jet of fire that burns everything in front of you for as long as you "
        "channel it, costing mana all the while. Good damage at close range in the early game; it leads to "
        "Blaze and Firewall.",
        "'Leave a wall of fire in your wake.' For a while, you leave a trail of flames wherever you walk, "
        "burning monsters that follow you. Good for kiting chasing packs. Needs Inferno and leads to "
        "Firewall.",
        "'Cast a ball of fire and heat.' A fire missile that explodes on impact, damaging every monster "
        "around the target. The main attack of many fire Sorceresses, growing strongly with points. Needs "
        "Fire Bolt and leads to Enchant and Meteor.",
        "'Create a wall of flame.' Raises a line of fire across the ground that burns every monster standing "
        "in or crossing it. Deadly in corridors and doorways where monsters must walk through. Needs Blaze "
        "and leads to Meteor.",
        "'Enchant melee weapons.' Adds fire damage to the weapon attacks of you or a party member for a "
        "while. Best for fighters in the party, mercenaries included. Needs Warmth and Fireball, and leads "
        "to Hydra.",
        "'Pull a meteor down from the heavens.' After a short delay a meteor crashes onto the target area, "
        "dealing heavy fire damage and leaving burning ground. Hard to aim at moving monsters, but "
        "devastating against groups and slow foes. Needs Fireball and Firewall; opens at level 24.",
        "(Passive) 'Increases fire damage.' Raises the damage of all your fire spells by a percentage, so it "
        "pays best once your main fire spells are well advanced. A late but strong investment for a fire "
        "Sorceress at level 30.",
        "'Summon a multi-headed fire beast.' Creates a hydra that spits fire bolts at nearby monsters for a "
        "while, fighting on its own while you cast. Good for guarding a spot or softening a pack. Needs "
        "Enchant; opens at level 30.",
    }},
    // SorceressLightning: Sorceress, Lightning Based
    {{
        "'Cast multiple charged bolts.' Fires a spread of small bolts that wander along the ground, each "
        "dealing a little lightning damage. Cheap and useful against crowds early on, and the gate to "
        "Lightning and Chain Lightning.",
        "'Damage all enemies around you.' Takes away a share of the current life of every monster nearby, so "
        "it is strongest against big, healthy foes and bosses, and weakens as they tire. It does not finish "
        "monsters off on its own. Leads to Nova and Thunderstorm.",
        "'Move objects with your mind.' Picks up items, opens chests, triggers switches and knocks back "
        "monsters from a distance. A handy utility skill and the step to Teleport, which every Sorceress "
        "wants.",
        "'An electrically charged ring of destruction.' A ring of lightning that hits every monster around "
        "you at once, good when you are surrounded. Needs Static Field and leads to Thunderstorm.",
        "'Pure directed energy.' A bolt of lightning that pierces through a line of monsters, with very wide "
        "swings in damage. A strong main attack for a lightning Sorceress. Needs Charged Bolt and leads to "
        "Chain Lightning.",
        "'Cast a retargeting bolt of lightning.' A bolt that leaps from one monster to the next, hitting "
        "several in turn. One of the best crowd killers of the Sorceress. Needs Lightning and leads to "
        "Thunderstorm and Energy Shield.",
        "'Instantly jump to a target location.' Moves you across the screen in a flash, over obstacles and "
        "past monsters. The best travel and escape skill in the game; nearly every Sorceress takes a point. "
        "Needs Telekinesis and leads to Energy Shield.",
        "'Cause a thunderstorm.' A storm follows you for a while, striking nearby monsters with bolts of "
        "lightning at intervals, so you deal damage while you cast other spells. Needs Nova and Chain "
        "Lightning; opens at level 24.",
        "'A shield of energy protects you.' For a while, part of the damage you take is drawn from your mana "
        "instead of your life. Strong for a Sorceress with a large mana pool. Needs Teleport and Chain "
        "Lightning; opens at level 24.",
        "(Passive) 'Reduces the cost of lightning spells.' Makes every lightning spell cheaper in mana, so a "
        "lightning Sorceress can cast longer without potions. A valuable late investment at level 30 for "
        "anyone who relies on lightning.",
    }},
    // SorceressCold: Sorceress, Cold Based
    {{
        "'Cast an ice bolt that slows its target.' A cheap cold missile that chills the monster it hits, "
        "slowing it down. A good early attack and the gate to Ice Blast and the rest of the cold line.",
        "'Armor class bonus and freeze attacker.' Raises your defense for a while and freezes monsters that "
        "strike you in melee. A good early defense for any Sorceress. It leads to Shiver Armor and Chilling "
        "Armor.",
        "'Slow all nearby enemies.' A ring of cold that damages and chills every monster around you. Good "
        "crowd control when monsters surround you, though its damage is modest, so most cold builds keep it "
        "low. It is the first step towards Blizzard.",
        "'Cast an ice bolt that freezes its target.' A stronger cold missile that freezes the monster solid "
        "for a moment. A solid single-target attack. Needs Ice Bolt and leads to Shiver Armor and Glacier "
        "Spike.",
        "'Slow and damage attackers.' Raises your defense for a while, and monsters that strike you are hurt "
        "and chilled. Only one of the three cold armors protects you at a time, so pick the one that suits "
        "you. Needs Frozen Armor and Ice Blast, and leads to Chilling Armor.",
        "'Cast a powerful ice missile.' A missile that explodes in a burst of cold, freezing the monsters "
        "around the impact. Good control against packs. Needs Ice Blast and leads to Blizzard.",
        "'Cast a storm of a destructive nature.' A storm of ice shards falls over the target area for a "
        "while, damaging every monster caught under it. One of the strongest area spells of the Sorceress. "
        "Needs Frost Nova and Glacier Spike; opens at level 24.",
        "'Armor bonus against ranged attackers.' Raises your defense for a while and answers missile attacks "
        "with a bolt of ice. Good against archers and other shooting monsters. Needs Shiver Armor; opens at "
        "level 24.",
        "'A pulsating orb of frozen death.' An orb that drifts forward and sprays ice bolts in every "
        "direction, hitting many monsters on its way. A powerful crowd killer at level 30. Needs Blizzard.",
        "(Passive) 'Reduces the cold resistance of enemies.' Lowers the cold resistance of the monsters you "
        "hit with cold spells, so more of your damage gets through, especially in Hell. A strong late "
        "investment for a cold Sorceress at level 30.",
    }},
}};

} // namespace

std::string_view skillDescription(TreeId id, int index) {
    const auto treeIndex = static_cast<std::size_t>(id);
    if (treeIndex >= kDescriptions.size() || index < 0 || index >= kSkillsPerTree) {
        return {};
    }
    return kDescriptions[treeIndex][static_cast<std::size_t>(index)];
}

std::string_view skillNote(TreeId id, int index) {
    // Multi-Shot Arrow fans out its arrows, but a single monster is struck by one of them only.
    if (id == TreeId::AmazonBowCrossbow && index == 3) {
        return "Note: only one of the arrows can hit any single target.";
    }
    return {};
}

} // namespace skillwright::model
